// Bounded copies into fixed wide-character buffers.
#include "core/bounded_string.h"

bool CopyBounded(wchar_t* destination, size_t capacity, const wchar_t* source)
{
    if (capacity == 0)
        return source[0] == L'\0';
    size_t i = 0;
    for (; i + 1 < capacity && source[i] != L'\0'; ++i)
        destination[i] = source[i];
    destination[i] = L'\0';
    return source[i] == L'\0';
}

bool AppendBounded(wchar_t* destination, size_t capacity, const wchar_t* source)
{
    size_t used = BoundedLength(destination, capacity);
    if (used == capacity)
        return source[0] == L'\0';
    return CopyBounded(destination + used, capacity - used, source);
}

size_t BoundedLength(const wchar_t* text, size_t limit)
{
    size_t length = 0;
    while (length < limit && text[length] != L'\0')
        ++length;
    return length;
}
