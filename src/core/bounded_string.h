// Wide strings in fixed buffers: bounded copies and formatting that always terminate and cut
// what does not fit, and comparisons without regard to case.
#pragma once
#include <cstdarg>
#include <cstddef>

// Copies source into destination of capacity units; true when nothing had to be cut.
bool CopyBounded(wchar_t* destination, size_t capacity, const wchar_t* source);

// Appends source behind the text already in destination; true when nothing had to be cut.
bool AppendBounded(wchar_t* destination, size_t capacity, const wchar_t* source);

// Length of text up to its terminator, never looking at more than limit units.
size_t BoundedLength(const wchar_t* text, size_t limit);

// printf-style into destination of capacity units (at least 1), cut to capacity - 1 units and
// always terminated; true when nothing had to be cut. %s takes a wide string on Windows.
bool FormatBounded(wchar_t* destination, size_t capacity, const wchar_t* format, ...);
bool FormatBoundedV(wchar_t* destination, size_t capacity, const wchar_t* format, va_list arguments);

// Comparisons without regard to case, as switches and keywords may be written.
bool EqualsIgnoringCase(const wchar_t* text, const wchar_t* word);
bool StartsWithIgnoringCase(const wchar_t* text, const wchar_t* prefix);
