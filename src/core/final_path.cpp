// Paths after every symbolic link, and the executable's own path.
#include "core/final_path.h"

#include "core/app_globals.h"
#include "core/bounded_string.h"
#include "core/dll_search.h"
#include "core/raw_target.h"

namespace {

using GetFinalPathFunction = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);

constexpr size_t kFinalPathCapacity = kTargetCapacity + 16;

// flags: FILE_FLAG_BACKUP_SEMANTICS for a folder.
bool FindFinalPathOfName(const wchar_t* name, DWORD flags, wchar_t (&path)[kFinalPathCapacity])
{
    HANDLE file = CreateFileW(name, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, flags, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool found = FindFinalPath(file, path, kFinalPathCapacity);
    CloseHandle(file);
    return found;
}

}  // namespace

bool FindFinalPath(HANDLE file, wchar_t* path, size_t capacity)
{
    GetFinalPathFunction getFinalPath = nullptr;
    if (!BindFunction(GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW", &getFinalPath))
        return false;
    wchar_t finalPath[kFinalPathCapacity];
    wchar_t win32Path[kFinalPathCapacity];
    DWORD length = getFinalPath(file, finalPath, kFinalPathCapacity, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= kFinalPathCapacity)
        return false;
    // "\\?\" stands where a target has "\??\", so the target's rule gives the Win32 form.
    DirectoryOfTarget(finalPath, win32Path, kFinalPathCapacity);
    return BoundedLength(win32Path, kFinalPathCapacity) < capacity && CopyBounded(path, capacity, win32Path);
}

void FollowLinkToFile(wchar_t* path, size_t capacity)
{
    wchar_t finalFile[kFinalPathCapacity];
    wchar_t finalFolder[kFinalPathCapacity];
    wchar_t folder[kFinalPathCapacity];
    if (!CopyBounded(folder, kFinalPathCapacity, path))
        return;
    folder[FolderLengthOfPath(folder)] = L'\0';
    // A link above the file moves the file and its folder alike; only a link that is the file
    // itself puts the file's final path into another folder.
    if (FindFinalPathOfName(path, 0, finalFile) && FindFinalPathOfName(folder, FILE_FLAG_BACKUP_SEMANTICS, finalFolder) &&
        !IsNameInFolder(finalFile, finalFolder) && BoundedLength(finalFile, capacity) < capacity)
        CopyBounded(path, capacity, finalFile);
}

DWORD ExecutablePath(wchar_t* path, DWORD capacity)
{
    DWORD length = GetModuleFileNameW(g_hInstance, path, capacity);
    if (length == 0 || length >= capacity)
        return length;
    FollowLinkToFile(path, capacity);
    return static_cast<DWORD>(BoundedLength(path, capacity));
}
