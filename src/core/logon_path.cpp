// The executable's path as it exists at log-on.
#include "core/logon_path.h"

#include <windows.h>

#include "core/app_globals.h"
#include "core/bounded_string.h"
#include "core/dll_search.h"
#include "core/final_path.h"
#include "core/raw_target.h"
#include "core/virtual_drive.h"

namespace {

using GetUniversalNameFunction = DWORD(WINAPI*)(LPCWSTR, DWORD, LPVOID, LPDWORD);

// Windows may not have reconnected a network drive's letter yet when the Run value starts the
// program: the path on the share is what lasts. The network library is loaded only for such a
// drive, and from System32, since it may not be loaded by name. False when the name would not fit.
bool ToUniversalName(wchar_t* path, size_t capacity)
{
    wchar_t root[] = L"X:\\";
    root[0] = DriveLetterOfPath(path);
    if (root[0] == 0 || path[1] != L':' || GetDriveTypeW(root) != DRIVE_REMOTE)
        return true;
    HMODULE network = LoadSystemLibrary(L"mpr.dll");
    GetUniversalNameFunction getUniversalName = nullptr;
    if (network == nullptr || !BindFunction(network, "WNetGetUniversalNameW", &getUniversalName))
        return true;
    // The structure points at its name, which follows it in the same buffer.
    union {
        UNIVERSAL_NAME_INFOW info;
        wchar_t units[kTargetCapacity + 16];
    } name = {};
    DWORD size = sizeof(name);
    if (getUniversalName(path, UNIVERSAL_NAME_INFO_LEVEL, &name, &size) != NO_ERROR || name.info.lpUniversalName == nullptr)
        return true;
    return BoundedLength(name.info.lpUniversalName, capacity) < capacity &&
           CopyBounded(path, capacity, name.info.lpUniversalName);
}

}  // namespace

bool ToLogonPath(wchar_t* path, size_t capacity)
{
    FollowLinkToFile(path, capacity);
    if (FollowVirtualDrives(path, capacity, 0, ReadDirectoryOfDrive, nullptr) == DriveChain::TooLong)
        return false;
    ExpandToLongForm(path, capacity);
    return ToUniversalName(path, capacity);
}

size_t LogonPathOfExecutable(wchar_t* path, size_t capacity)
{
    DWORD length = GetModuleFileNameW(g_hInstance, path, static_cast<DWORD>(capacity));
    if (length == 0 || length >= capacity || !ToLogonPath(path, capacity))
        return 0;
    return BoundedLength(path, capacity);
}
