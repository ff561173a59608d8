// The check that refuses Windows versions older than Windows 2000.
#include "core/windows_version.h"

#include <windows.h>

#include "core/version_rule.h"

bool IsSupportedWindows()
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info))
        return false;
    return IsSupportedVersion(info.dwPlatformId, info.dwMajorVersion);
}
