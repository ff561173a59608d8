// How a checked new settings file takes the old one's place on the disk.
#include "persistence/settings_replace.h"

#include <windows.h>

#include "core/bounded_string.h"
#include "core/final_path.h"
#include "persistence/settings_copy.h"

namespace {

const wchar_t kBackupSuffix[] = L".old";

// One attempt; false with the system's error.
bool MoveIntoPlace(const wchar_t* newPath, const SettingsTarget& target, const wchar_t* backupPath)
{
    // A replace gives the name to another file: the file's other names would keep the old text.
    if (target.hardLinked)
        return OverwriteWithCopy(newPath, target.path);
    // Also where a failed replace has already taken the old file away.
    if (GetFileAttributesW(target.path) == INVALID_FILE_ATTRIBUTES)
        return MoveFileExW(newPath, target.path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    // Without a backup name, a replace that fails half-way leaves the old file gone (1176) or under
    // a name of its own choosing (1177); with one, it lies where it can be put back.
    return ReplaceFileW(target.path, newPath, backupPath, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
}

void PutBackOldFile(const SettingsTarget& target, const wchar_t* backupPath)
{
    if (GetFileAttributesW(target.path) == INVALID_FILE_ATTRIBUTES &&
        GetFileAttributesW(backupPath) != INVALID_FILE_ATTRIBUTES)
        MoveFileExW(backupPath, target.path, MOVEFILE_WRITE_THROUGH);
}

}  // namespace

bool SiblingPath(const wchar_t* path, const wchar_t* suffix, wchar_t (&sibling)[kSiblingPathCapacity])
{
    return CopyBounded(sibling, kSiblingPathCapacity, path) && AppendBounded(sibling, kSiblingPathCapacity, suffix);
}

bool IsStrandedSave(const wchar_t* path, const wchar_t* newPath)
{
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES || GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    DWORD attributes = GetFileAttributesW(newPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FindSettingsTarget(const wchar_t* path, SettingsTarget* target)
{
    target->exists = false;
    target->hardLinked = false;
    if (!CopyBounded(target->path, kSettingsTargetCapacity, path))
        return false;
    HANDLE file = CreateFileW(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    BY_HANDLE_FILE_INFORMATION information = {};
    bool found = GetFileInformationByHandle(file, &information);
    FindFinalPath(file, target->path, kSettingsTargetCapacity);
    CloseHandle(file);
    target->exists = true;
    target->hardLinked = information.nNumberOfLinks > 1;
    return found;
}

bool PutInPlace(const wchar_t* newPath, const SettingsTarget& target)
{
    // A rename, even with MOVEFILE_WRITE_THROUGH, makes the new name durable, not the new data.
    wchar_t backupPath[kSiblingPathCapacity];
    if (!FlushToDisk(newPath) || !SiblingPath(target.path, kBackupSuffix, backupPath))
        return false;
    DeleteFileW(backupPath);
    const DWORD start = GetTickCount();
    while (!MoveIntoPlace(newPath, target, backupPath)) {
        const DWORD error = GetLastError();
        PutBackOldFile(target, backupPath);
        if (!ShouldWaitForFile(error, GetTickCount() - start))
            return false;
        Sleep(kFileRetryInterval);
    }
    DeleteFileW(backupPath);
    return true;
}
