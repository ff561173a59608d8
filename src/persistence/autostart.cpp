// The Run value that starts the program with /startup at the user's log-on.
#include "persistence/autostart.h"

#include <windows.h>

#include "core/app_globals.h"
#include "persistence/autostart_rules.h"
#include "persistence/settings_rules.h"

namespace {
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kRunValueName[] = L"Morvex";
}  // namespace

void SetAutoStart(bool enable)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    if (enable) {
        wchar_t command[kModulePathCapacity] = {};
        command[0] = L'"';
        DWORD length = GetModuleFileNameW(g_hInstance, command + 1, kModulePathCapacity - 1);
        if (ComposeRunValue(command, kModulePathCapacity, length)) {
            RegSetValueExW(key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                           RunValueByteCount(lstrlenW(command)));
        }
    } else {
        RegDeleteValueW(key, kRunValueName);
    }
    RegCloseKey(key);
}
