// Lines for standard output and error of a GUI program: to the file or pipe they were redirected
// to, or else to the console of the process that started it.
#pragma once

enum class StandardStream { Output, Error };

// Writes text and a line end. A file or a pipe receives UTF-8 with CR LF; a console the text as
// it is, so that any directory shows right. False when the process has nowhere to write.
bool WriteStandardLine(StandardStream stream, const wchar_t* text);
