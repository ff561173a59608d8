// Raw targets of virtual drives.
#include "core/raw_target.h"

#include "core/bounded_string.h"
#include "core/drive_letter.h"

namespace {

const wchar_t kTargetPrefix[] = L"\\??\\";
constexpr size_t kPrefixLength = 4;
const wchar_t kUncBody[] = L"UNC\\";
constexpr size_t kUncBodyLength = 4;

bool StartsWith(const wchar_t* text, const wchar_t* prefix, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        if (text[i] != prefix[i])
            return false;
    }
    return true;
}

// "\\?\" and "\\.\" already hand their rest to the object manager unchanged.
bool HasLocalDevicePrefix(const wchar_t* path)
{
    return path[0] == L'\\' && path[1] == L'\\' && (path[2] == L'?' || path[2] == L'.') && path[3] == L'\\';
}

}  // namespace

bool IsVirtualDriveTarget(const wchar_t* target)
{
    return StartsWith(target, kTargetPrefix, kPrefixLength);
}

bool BuildRawTarget(const wchar_t* directory, wchar_t* target, size_t capacity)
{
    if (capacity == 0)
        return false;
    target[0] = L'\0';
    const wchar_t* body = directory;
    const wchar_t* bodyPrefix = L"";
    size_t bodyPrefixLength = 0;
    if (HasLocalDevicePrefix(directory)) {
        body = directory + 4;
    } else if (directory[0] == L'\\' && directory[1] == L'\\') {
        body = directory + 2;
        bodyPrefix = kUncBody;
        bodyPrefixLength = kUncBodyLength;
    }
    size_t length = BoundedLength(body, capacity);
    if (length > 0 && body[length - 1] == L'\\')
        --length;
    if (kPrefixLength + bodyPrefixLength + length + 1 > capacity)
        return false;
    CopyBounded(target, capacity, kTargetPrefix);
    AppendBounded(target, capacity, bodyPrefix);
    size_t start = kPrefixLength + bodyPrefixLength;
    for (size_t i = 0; i < length; ++i)
        target[start + i] = body[i];
    target[start + length] = L'\0';
    if (start + length > kPrefixLength)
        target[kPrefixLength] = NormalizeDriveLetter(target[kPrefixLength]);
    return true;
}

void DirectoryOfTarget(const wchar_t* target, wchar_t* directory, size_t capacity)
{
    const wchar_t* body = target + kPrefixLength;
    if (!StartsWithIgnoringCase(body, kUncBody)) {
        // Anything but a drive path ("Volume{...}\dir", "GLOBALROOT\Device\...") keeps the
        // local-device prefix, which BuildRawTarget passes on: without it the text is no path at all.
        // Windows takes any unit before a colon for a drive.
        const bool drivePath = body[0] != L'\0' && body[1] == L':';
        CopyBounded(directory, capacity, drivePath ? L"" : L"\\\\?\\");
        AppendBounded(directory, capacity, body);
        return;
    }
    CopyBounded(directory, capacity, L"\\\\");
    AppendBounded(directory, capacity, body + kUncBodyLength);
}

bool MayHoldShortNames(const wchar_t* path)
{
    for (; *path != L'\0'; ++path) {
        if (*path == L'~')
            return true;
    }
    return false;
}

wchar_t DriveLetterOfPath(const wchar_t* path)
{
    if (HasLocalDevicePrefix(path))
        path += 4;
    return IsDriveLetter(path[0]) && path[1] == L':' ? NormalizeDriveLetter(path[0]) : 0;
}

size_t PathRootLength(const wchar_t* path)
{
    size_t start = 0;
    int components = 1;
    if (HasLocalDevicePrefix(path)) {
        start = 4;
        if (StartsWithIgnoringCase(path + start, kUncBody)) {
            start += kUncBodyLength;
            components = 2;
        }
    } else if (path[0] == L'\\' && path[1] == L'\\') {
        start = 2;
        components = 2;
    }
    if (DriveLetterOfPath(path) != 0)
        return path[start + 2] == L'\\' ? start + 3 : 0;
    size_t end = start;
    for (int component = 0; component < components; ++component) {
        size_t first = end;
        while (path[end] != L'\0' && path[end] != L'\\')
            ++end;
        if (end == first || path[end] != L'\\')
            return 0;
        ++end;
    }
    return end;
}

DriveChain FollowVirtualDrives(wchar_t* path, size_t capacity, wchar_t letter, VirtualDriveReader readDrive,
                               void* context)
{
    letter = NormalizeDriveLetter(letter);
    // Each step leaves one drive for the directory it maps; more steps than letters go round in
    // a loop that does not pass the letter.
    for (int step = 0; step <= 26; ++step) {
        wchar_t drive = DriveLetterOfPath(path);
        if (drive != 0 && drive == letter)
            return DriveChain::ReachesLetter;
        wchar_t next[kTargetCapacity];
        if (drive == 0 || !readDrive(drive, next, kTargetCapacity, context))
            return DriveChain::Resolved;
        if (!AppendBounded(next, kTargetCapacity, path + (HasLocalDevicePrefix(path) ? 6 : 2)) ||
            !CopyBounded(path, capacity, next))
            return DriveChain::TooLong;
    }
    return DriveChain::Resolved;
}

bool PathLeadsToDrive(const wchar_t* path, wchar_t letter, VirtualDriveReader readDrive, void* context)
{
    wchar_t current[kTargetCapacity];
    return CopyBounded(current, kTargetCapacity, path) &&
           FollowVirtualDrives(current, kTargetCapacity, letter, readDrive, context) == DriveChain::ReachesLetter;
}

size_t FolderLengthOfPath(const wchar_t* path)
{
    size_t length = 0;
    for (size_t i = 0; path[i] != L'\0'; ++i) {
        if (path[i] == L'\\')
            length = i;
    }
    return length < PathRootLength(path) ? length + 1 : length;
}

bool IsNameInFolder(const wchar_t* path, const wchar_t* folder)
{
    if (folder[0] == L'\0' || !StartsWithIgnoringCase(path, folder))
        return false;
    // StartsWithIgnoringCase has read the whole folder: its length needs no other bound.
    const wchar_t* name = path + BoundedLength(folder, static_cast<size_t>(-1));
    if (name[-1] != L'\\' && *name++ != L'\\')
        return false;
    for (const wchar_t* unit = name; *unit != L'\0'; ++unit) {
        if (*unit == L'\\')
            return false;
    }
    return *name != L'\0';
}
