// The executable's path as it exists at log-on.
#include "core/logon_path.h"

#include <windows.h>

#include "core/app_globals.h"
#include "core/bounded_string.h"
#include "core/drive_letter.h"
#include "core/raw_target.h"
#include "core/virtual_drive.h"

bool ToLogonPath(wchar_t* path, size_t capacity)
{
    // Each step leaves a letter behind; any chain of drives ends within 26, a loop is cut there.
    for (int step = 0; step < 26 && IsDriveLetter(path[0]) && path[1] == L':'; ++step) {
        wchar_t directory[kTargetCapacity];
        if (ReadVirtualDrive(path[0], directory, kTargetCapacity) != DriveQuery::Virtual)
            break;
        if (!AppendBounded(directory, kTargetCapacity, path + 2) || !CopyBounded(path, capacity, directory))
            return false;
    }
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
