// Virtual drives in the system's DOS-device namespace.
#include "core/virtual_drive.h"

#include <windows.h>

#include "core/bounded_string.h"
#include "core/drive_letter.h"
#include "core/messages.h"
#include "core/raw_target.h"
#include "res/resource.h"

bool IsDirectory(const wchar_t* path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ReadDirectoryOfDrive(wchar_t letter, wchar_t* directory, size_t capacity, void*)
{
    return ReadVirtualDrive(letter, directory, capacity) == DriveQuery::Virtual;
}

namespace {

bool FullPathOf(const wchar_t* path, wchar_t (&fullPath)[kTargetCapacity])
{
    DWORD length = GetFullPathNameW(path, kTargetCapacity, fullPath, nullptr);
    return length != 0 && length < kTargetCapacity;
}

// The object manager resolves none of the Win32 forms (relative, "c:/dir", "C:dir", dot
// segments, trailing dots and blanks), so the target is built from the full path. False when
// that is no existing directory, or when the path or its target would have to be cut.
bool BuildTargetOfDirectory(const wchar_t* path, wchar_t (&fullPath)[kTargetCapacity],
                            wchar_t (&target)[kTargetCapacity])
{
    return FullPathOf(path, fullPath) && IsDirectory(fullPath) &&
           BuildRawTarget(fullPath, target, kLongestReadableTarget + 1);
}

}  // namespace

bool LiesOnDrive(wchar_t letter, const wchar_t* path)
{
    wchar_t fullPath[kTargetCapacity];
    return FullPathOf(path, fullPath) && PathLeadsToDrive(fullPath, letter, ReadDirectoryOfDrive, nullptr);
}

bool SetVirtualDrive(wchar_t letter, const wchar_t* path)
{
    // A hand-edited settings line such as "1=D:\" must not create a device named "1:".
    if (!IsDriveLetter(letter))
        return false;
    wchar_t deviceName[kDeviceNameLength];
    BuildDeviceName(letter, deviceName);

    wchar_t fullPath[kTargetCapacity];
    wchar_t newTarget[kTargetCapacity];
    if (path != nullptr && !BuildTargetOfDirectory(path, fullPath, newTarget)) {
        ShowError(IDS_INVALID_PATH, path);
        return false;
    }

    wchar_t oldTarget[kTargetCapacity];
    bool hadVirtualDrive = false;
    if (QueryDosDeviceW(deviceName, oldTarget, kTargetCapacity) != 0) {
        if (!IsVirtualDriveTarget(oldTarget))
            return false;
        // A directory found through the mapping about to be replaced: the drive would reach itself.
        if (path != nullptr && PathLeadsToDrive(fullPath, letter, ReadDirectoryOfDrive, nullptr)) {
            ShowError(IDS_INVALID_PATH, path);
            return false;
        }
        if (!DefineDosDeviceW(DDD_REMOVE_DEFINITION, deviceName, nullptr))
            return false;
        hadVirtualDrive = true;
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        // Only "not defined" is free: a target list too long to read may still hold a device.
        return false;
    }
    if (path == nullptr)
        return true;

    if (DefineDosDeviceW(DDD_RAW_TARGET_PATH, deviceName, newTarget))
        return true;
    // A failed re-point must not lose the drive the user had.
    if (hadVirtualDrive)
        DefineDosDeviceW(DDD_RAW_TARGET_PATH, deviceName, oldTarget);
    ShowError(IDS_DEFINE_FAILED, deviceName);
    return false;
}

DriveQuery ReadVirtualDrive(wchar_t letter, wchar_t* directory, size_t capacity)
{
    wchar_t deviceName[kDeviceNameLength];
    BuildDeviceName(letter, deviceName);
    wchar_t target[kTargetCapacity];
    if (QueryDosDeviceW(deviceName, target, kTargetCapacity) == 0)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? DriveQuery::NotVirtual : DriveQuery::Unreadable;
    if (!IsVirtualDriveTarget(target))
        return DriveQuery::Foreign;
    DirectoryOfTarget(target, directory, capacity);
    return DriveQuery::Virtual;
}

bool IsHeldByDevice(wchar_t letter)
{
    wchar_t directory[kTargetCapacity];
    return ReadVirtualDrive(letter, directory, kTargetCapacity) == DriveQuery::Foreign;
}

void ExpandToLongForm(wchar_t* directory, size_t capacity)
{
    // Asking the file system costs a lookup per component, for every drive the list shows.
    if (!MayHoldShortNames(directory))
        return;
    wchar_t longForm[kTargetCapacity];
    DWORD length = GetLongPathNameW(directory, longForm, kTargetCapacity);
    if (length != 0 && length < kTargetCapacity)
        CopyBounded(directory, capacity, longForm);
}

DriveQuery QueryVirtualDrive(wchar_t letter, wchar_t* directory, size_t capacity)
{
    DriveQuery query = ReadVirtualDrive(letter, directory, capacity);
    if (query == DriveQuery::Virtual)
        ExpandToLongForm(directory, capacity);
    return query;
}
