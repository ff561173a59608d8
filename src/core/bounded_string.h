// Bounded copies into fixed wide-character buffers: always terminated, cut when too long.
#pragma once
#include <cstddef>

// Copies source into destination of capacity units; true when nothing had to be cut.
bool CopyBounded(wchar_t* destination, size_t capacity, const wchar_t* source);

// Appends source behind the text already in destination; true when nothing had to be cut.
bool AppendBounded(wchar_t* destination, size_t capacity, const wchar_t* source);

// Length of text up to its terminator, never looking at more than limit units.
size_t BoundedLength(const wchar_t* text, size_t limit);
