// The Run value that starts the program at log-on: the executable's path in double quotes and
// the start-up switch.
#pragma once
#include <cstddef>

// buffer (capacity units) holds a double quote at unit 0 and the executable's path of
// pathLength units from unit 1. Appends the closing quote and " /startup"; false when the path
// length is 0 or 1024 or more, or when the whole value would not fit, so that nothing is written.
bool ComposeRunValue(wchar_t* buffer, size_t capacity, size_t pathLength);

// Bytes that the registry stores for a string of length characters, its terminator included.
unsigned long RunValueByteCount(size_t length);

// Windows' startup manager (Task Manager's Startup tab, Settings > Apps > Startup) switches a Run
// entry off without deleting it: it stores a value of the same name whose first byte is odd
// (03 and the time it was switched off). 02 or 06 means on, as does no value at all.
bool IsStartupMarkDisabled(const unsigned char* data, size_t size);

// The program a Run value's command line starts: its first argument in double quotes, or the text
// up to the first blank. False when there is none or it does not fit capacity units.
bool RunCommandProgram(const wchar_t* command, wchar_t* program, size_t capacity);

// What Close does with the Run value: it writes or deletes it only where the user changed the box
// since the dialog showed it, and otherwise rewrites a value that starts this executable by another
// path (its short path, a virtual or network drive's letter). So a value that Windows' startup
// manager switched off, which the box shows unticked, stays where the user can switch it on.
enum class RunValueChange { Leave, Write, Delete };
RunValueChange RunValueChangeAtClose(bool checked, bool shownChecked, bool namesThisExecutableElsewhere);
