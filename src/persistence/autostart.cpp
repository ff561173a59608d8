// The Run value that starts the program with /startup at the user's log-on.
#include "persistence/autostart.h"

#include <windows.h>

#include "core/app_globals.h"
#include "persistence/autostart_rules.h"
#include "persistence/settings_rules.h"

namespace {

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kStartupApprovedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
const wchar_t kRunValueName[] = L"Morvex";
// The startup manager's marks are 12 bytes; anything up to this size is read.
constexpr DWORD kStartupMarkCapacity = 64;

bool RunValueStartsThisExecutable(HKEY key)
{
    wchar_t command[kModulePathCapacity + 16] = {};
    DWORD type = 0;
    // One unit less than the buffer, so that the value read is always terminated.
    DWORD bytes = sizeof(command) - sizeof(wchar_t);
    if (RegQueryValueExW(key, kRunValueName, nullptr, &type, reinterpret_cast<BYTE*>(command), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    wchar_t program[kModulePathCapacity];
    wchar_t executable[kModulePathCapacity];
    DWORD length = GetModuleFileNameW(g_hInstance, executable, kModulePathCapacity);
    return length != 0 && length < kModulePathLimit && RunCommandProgram(command, program, kModulePathCapacity) &&
           lstrcmpiW(program, executable) == 0;
}

}  // namespace

void SetAutoStart(bool enable)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    if (enable) {
        wchar_t command[kModulePathCapacity] = {};
        command[0] = L'"';
        DWORD length = GetModuleFileNameW(g_hInstance, command + 1, kModulePathCapacity - 1);
        if (ComposeRunValue(command, kModulePathCapacity, length)) {
            RegSetValueExW(key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                           RunValueByteCount(lstrlenW(command)));
        }
    } else if (RunValueStartsThisExecutable(key)) {
        RegDeleteValueW(key, kRunValueName);
    }
    RegCloseKey(key);
}

bool IsAutoStartDisabledByWindows()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kStartupApprovedKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    BYTE mark[kStartupMarkCapacity] = {};
    DWORD type = 0;
    DWORD size = sizeof(mark);
    bool read = RegQueryValueExW(key, kRunValueName, nullptr, &type, mark, &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return read && type == REG_BINARY && IsStartupMarkDisabled(mark, size);
}

void ClearAutoStartDisabledMark()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kStartupApprovedKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueW(key, kRunValueName);
    RegCloseKey(key);
}
