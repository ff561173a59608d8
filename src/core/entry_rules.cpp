// Rules of the process's first steps.
#include "core/entry_rules.h"

#include "core/bounded_string.h"

bool IsSupportedVersion(unsigned long platformId, unsigned long majorVersion)
{
    return platformId == kPlatformWin32Nt && majorVersion >= 5;
}

bool JoinLibraryPath(const wchar_t* directory, const wchar_t* fileName, wchar_t* path, size_t capacity)
{
    if (capacity == 0)
        return false;
    bool fits = directory[0] != L'\0' && CopyBounded(path, capacity, directory);
    if (fits && path[BoundedLength(path, capacity) - 1] != L'\\')
        fits = AppendBounded(path, capacity, L"\\");
    if (fits)
        fits = AppendBounded(path, capacity, fileName);
    if (!fits)
        path[0] = L'\0';
    return fits;
}
