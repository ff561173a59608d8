// Raw targets of virtual drives.
#include "core/raw_target.h"

#include "core/bounded_string.h"
#include "core/drive_letter.h"

namespace {
const wchar_t kTargetPrefix[] = L"\\??\\";
constexpr size_t kPrefixLength = 4;
}

bool IsVirtualDriveTarget(const wchar_t* target)
{
    for (size_t i = 0; i < kPrefixLength; ++i) {
        if (target[i] != kTargetPrefix[i])
            return false;
    }
    return true;
}

const wchar_t* DirectoryOfTarget(const wchar_t* target)
{
    return target + kPrefixLength;
}

bool BuildRawTarget(const wchar_t* directory, wchar_t* target, size_t capacity)
{
    if (capacity == 0)
        return false;
    target[0] = L'\0';
    size_t length = BoundedLength(directory, capacity);
    if (length > 0 && directory[length - 1] == L'\\')
        --length;
    if (kPrefixLength + length + 1 > capacity)
        return false;
    CopyBounded(target, capacity, kTargetPrefix);
    for (size_t i = 0; i < length; ++i)
        target[kPrefixLength + i] = directory[i];
    target[kPrefixLength + length] = L'\0';
    if (length > 0)
        target[kPrefixLength] = NormalizeDriveLetter(target[kPrefixLength]);
    return true;
}
