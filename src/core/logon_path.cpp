// The executable's path as it exists at log-on.
#include "core/logon_path.h"

#include <windows.h>

#include "core/app_globals.h"
#include "core/bounded_string.h"
#include "core/raw_target.h"
#include "core/virtual_drive.h"

bool ToLogonPath(wchar_t* path, size_t capacity)
{
    if (FollowVirtualDrives(path, capacity, 0, ReadDirectoryOfDrive, nullptr) == DriveChain::TooLong)
        return false;
    ExpandToLongForm(path, capacity);
    return true;
}

size_t LogonPathOfExecutable(wchar_t* path, size_t capacity)
{
    DWORD length = GetModuleFileNameW(g_hInstance, path, static_cast<DWORD>(capacity));
    if (length == 0 || length >= capacity || !ToLogonPath(path, capacity))
        return 0;
    return BoundedLength(path, capacity);
}
