// The Run value that starts the program with /startup at the user's log-on.
#include "persistence/autostart.h"

#include <windows.h>

#include <cwchar>

#include "core/logon_path.h"
#include "core/messages.h"
#include "persistence/autostart_rules.h"
#include "persistence/settings_rules.h"
#include "res/resource.h"

namespace {

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kStartupApprovedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
const wchar_t kRunValueName[] = L"Morvex";
// The startup manager's marks are 12 bytes; anything up to this size is read.
constexpr DWORD kStartupMarkCapacity = 64;

// The command that the value is written with: this executable's log-on path in quotes, and the switch.
bool ComposeOwnCommand(wchar_t (&command)[kModulePathCapacity])
{
    command[0] = L'"';
    size_t length = LogonPathOfExecutable(command + 1, kModulePathCapacity - 1);
    return ComposeRunValue(command, kModulePathCapacity, length);
}

enum class RunValueOwner { Another, ThisExecutable, ThisExecutableElsewhere };

// Programs are compared in their log-on forms: an older value may name this executable by its
// short path or through a virtual drive, and is then this executable's, named elsewhere.
RunValueOwner FindRunValueOwner(HKEY key)
{
    wchar_t command[kModulePathCapacity + 16] = {};
    DWORD type = 0;
    // One unit less than the buffer, so that the value read is always terminated.
    DWORD bytes = sizeof(command) - sizeof(wchar_t);
    wchar_t own[kModulePathCapacity] = {};
    wchar_t program[kModulePathCapacity];
    wchar_t ownProgram[kModulePathCapacity];
    if (RegQueryValueExW(key, kRunValueName, nullptr, &type, reinterpret_cast<BYTE*>(command), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ || !ComposeOwnCommand(own) || !RunCommandProgram(command, program, kModulePathCapacity) ||
        !ToLogonPath(program, kModulePathCapacity) || !RunCommandProgram(own, ownProgram, kModulePathCapacity) ||
        lstrcmpiW(program, ownProgram) != 0)
        return RunValueOwner::Another;
    return lstrcmpiW(command, own) == 0 ? RunValueOwner::ThisExecutable : RunValueOwner::ThisExecutableElsewhere;
}

bool RunValueStartsThisExecutable(HKEY key)
{
    return FindRunValueOwner(key) != RunValueOwner::Another;
}

bool WriteRunValue()
{
    wchar_t command[kModulePathCapacity] = {};
    HKEY key = nullptr;
    if (!ComposeOwnCommand(command) ||
        RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    LONG written = RegSetValueExW(key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                                  RunValueByteCount(wcslen(command)));
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

// Only this executable's value goes: another copy's is that copy's autostart.
bool DeleteOwnRunValue()
{
    HKEY key = nullptr;
    LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
    if (opened != ERROR_SUCCESS)
        return opened == ERROR_FILE_NOT_FOUND;
    LONG deleted = RunValueStartsThisExecutable(key) ? RegDeleteValueW(key, kRunValueName) : ERROR_SUCCESS;
    RegCloseKey(key);
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
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

}  // namespace

void SetAutoStart(bool enable)
{
    if (!(enable ? WriteRunValue() : DeleteOwnRunValue()))
        ShowError(IDS_RUN_VALUE_FAILED);
}

void ApplyAutoStartAtClose(bool checked, bool shownChecked)
{
    bool elsewhere = false;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        elsewhere = FindRunValueOwner(key) == RunValueOwner::ThisExecutableElsewhere;
        RegCloseKey(key);
    }
    switch (RunValueChangeAtClose(checked, shownChecked, elsewhere)) {
    case RunValueChange::Write:
        SetAutoStart(true);
        break;
    case RunValueChange::Delete:
        SetAutoStart(false);
        break;
    case RunValueChange::Leave:
        break;
    }
}

bool IsAutoStartRegistered()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    bool registered = RunValueStartsThisExecutable(key);
    RegCloseKey(key);
    // Windows does not run an entry that its startup manager switched off.
    return registered && !IsAutoStartDisabledByWindows();
}

void ClearAutoStartDisabledMark()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kStartupApprovedKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueW(key, kRunValueName);
    RegCloseKey(key);
}
