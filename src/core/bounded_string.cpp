// Wide strings in fixed buffers.
#include "core/bounded_string.h"

#include <cwchar>
#include <cwctype>

namespace {

bool SameIgnoringCase(wchar_t a, wchar_t b)
{
    return std::towlower(static_cast<wint_t>(a)) == std::towlower(static_cast<wint_t>(b));
}

}  // namespace

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

bool FormatBounded(wchar_t* destination, size_t capacity, const wchar_t* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    bool whole = FormatBoundedV(destination, capacity, format, arguments);
    va_end(arguments);
    return whole;
}

bool FormatBoundedV(wchar_t* destination, size_t capacity, const wchar_t* format, va_list arguments)
{
#ifdef _WIN32
    // msvcrt's formatter: %s is wide, and a cut result comes back unterminated with -1.
    int length = _vsnwprintf(destination, capacity - 1, format, arguments);
#else
    int length = std::vswprintf(destination, capacity, format, arguments);
#endif
    if (length >= 0 && static_cast<size_t>(length) < capacity - 1)
        return true;
    destination[capacity - 1] = L'\0';
    return false;
}

bool EqualsIgnoringCase(const wchar_t* text, const wchar_t* word)
{
    for (; *text != L'\0' && *word != L'\0'; ++text, ++word) {
        if (!SameIgnoringCase(*text, *word))
            return false;
    }
    return *text == L'\0' && *word == L'\0';
}

bool StartsWithIgnoringCase(const wchar_t* text, const wchar_t* prefix)
{
    for (; *prefix != L'\0'; ++text, ++prefix) {
        if (!SameIgnoringCase(*text, *prefix))
            return false;
    }
    return true;
}
