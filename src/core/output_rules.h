// Text for standard output and error that does not need the window system: the lines of the drive
// list, and the bytes a file or a pipe receives.
#pragma once
#include <cstddef>

#include "core/raw_target.h"

// "X:\: => " and a directory.
constexpr size_t kListLineCapacity = 8 + kTargetCapacity;

// "X:\: => C:\Projects": the letter, then the directory as the dialog shows it (its first unit
// upper-cased) without a trailing backslash, except at a root ("Y:\: => D:\"). Cut to capacity.
void BuildListLine(wchar_t letter, const wchar_t* directory, wchar_t* line, size_t capacity);

// Line breaks become blanks (CR LF one blank): a script reads one message per line.
void JoinIntoOneLine(wchar_t* text);

// The UTF-16 text in UTF-8, without a byte-order mark, followed by CR LF; a surrogate without its
// partner becomes U+FFFD. Cut before the first character that would not leave room for the line
// end in capacity (at least 2) bytes. Returns the number of bytes.
size_t EncodeUtf8Line(const wchar_t* text, char* bytes, size_t capacity);
