// Drive letters that files can be reached through.
#include "support/reachable_drives.h"

#include "core/dll_search.h"
#include "support/drive_letter_fixture.h"

namespace {

ImportHook* g_attributes = nullptr;

// Runs a Linux program, which Wine starts for a Windows one; true when it could be started.
bool RunLinux(std::wstring commandLine)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

std::wstring LinuxPath(const std::wstring& windowsPath)
{
    char*(CDECL * unixName)(LPCWSTR) = nullptr;
    BindFunction(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name", &unixName);
    char* name = unixName != nullptr ? unixName(windowsPath.c_str()) : nullptr;
    std::wstring path = name != nullptr ? std::wstring(name, name + strlen(name)) : L"";
    HeapFree(GetProcessHeap(), 0, name);
    return path;
}

}  // namespace

WindowsLikeFileAccess::WindowsLikeFileAccess()
    : hook_("kernel32.dll", "GetFileAttributesW", reinterpret_cast<void*>(&Attributes))
{
    g_attributes = &hook_;
}

DWORD WINAPI WindowsLikeFileAccess::Attributes(LPCWSTR path)
{
    std::wstring resolved = path;
    for (int step = 0; step < 26 && resolved.size() >= 2 && resolved[1] == L':'; ++step) {
        std::wstring target = DeviceTarget(towupper(resolved[0]));
        if (target.rfind(L"\\??\\", 0) != 0)
            break;
        resolved = target.substr(4) + resolved.substr(2);
    }
    return reinterpret_cast<decltype(&GetFileAttributesW)>(g_attributes->Original())(resolved.c_str());
}

bool WineDriveLetter::Make()
{
    wchar_t prefix[MAX_PATH] = L"";
    if (GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH) == 0)
        return false;
    link_ = std::wstring(prefix) + L"/dosdevices/" + wchar_t(towlower(letter_)) + L":";
    return RunLinux(L"Z:\\bin\\ln -s \"" + LinuxPath(directory_) + L"\" \"" + link_ + L"\"");
}

WineDriveLetter::~WineDriveLetter()
{
    if (!link_.empty())
        RunLinux(L"Z:\\bin\\rm -f \"" + link_ + L"\"");
}
