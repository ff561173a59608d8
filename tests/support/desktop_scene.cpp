// An administrator's log-on under UAC, through the import table.
#include "support/desktop_scene.h"

#include <shellapi.h>

#include <map>

namespace {

struct {
    SessionFacts facts;
    int elevationType;
    long exitCode;
    std::vector<std::wstring> commandLines;
    std::map<HANDLE, bool> tokenIsOwn;   // else the shell's
    decltype(&OpenProcessToken) openToken;
    decltype(&GetTokenInformation) tokenInformation;
} g_scene;

// Wine's desktop window stands in for the shell's: its process and token open for real.
HWND WINAPI ShellWindow()
{
    return g_scene.facts.shellRead ? GetDesktopWindow() : nullptr;
}

BOOL WINAPI OpenToken(HANDLE process, DWORD access, HANDLE* token)
{
    BOOL opened = g_scene.openToken(process, access, token);
    g_scene.tokenIsOwn[*token] = opened && process == GetCurrentProcess();
    return opened;
}

BOOL WINAPI TokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS kind, void* data, DWORD size, DWORD* used)
{
    if (!g_scene.tokenInformation(token, kind, data, size, used) || g_scene.tokenIsOwn.count(token) == 0)
        return g_scene.tokenIsOwn.count(token) == 0;
    const bool own = g_scene.tokenIsOwn[token];
    const SessionFacts& facts = g_scene.facts;
    if (kind == TokenStatistics)
        static_cast<TOKEN_STATISTICS*>(data)->AuthenticationId.LowPart = own || facts.sameLogonSession ? 1 : 2;
    else if (kind == TokenUser && !own && !facts.sameUser)
        ++*GetSidSubAuthority(static_cast<TOKEN_USER*>(data)->User.Sid, 0);
    else if (kind == TokenElevation && own)
        static_cast<TOKEN_ELEVATION*>(data)->TokenIsElevated = facts.elevated;
    else if (kind == TokenElevationType && own)
        *static_cast<TOKEN_ELEVATION_TYPE*>(data) = static_cast<TOKEN_ELEVATION_TYPE>(g_scene.elevationType);
    return TRUE;
}

BOOL WINAPI StartWithToken(HANDLE, DWORD, LPCWSTR, LPWSTR line, DWORD, void*, LPCWSTR, STARTUPINFOW*,
                           PROCESS_INFORMATION* information)
{
    g_scene.commandLines.push_back(line);
    if (g_scene.exitCode < 0)
        return FALSE;
    information->hProcess = CreateEventW(nullptr, TRUE, g_scene.exitCode != STILL_ACTIVE, nullptr);
    information->hThread = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return TRUE;
}

BOOL WINAPI ExitCode(HANDLE, DWORD* code)
{
    *code = static_cast<DWORD>(g_scene.exitCode);
    return TRUE;
}

}  // namespace

DesktopScene::DesktopScene(const SessionFacts& facts, int elevationType, long exitCode)
{
    g_scene.facts = facts, g_scene.elevationType = elevationType, g_scene.exitCode = exitCode;
    g_scene.commandLines.clear();
    const struct {
        const char* dll;
        const char* name;
        void* replacement;
    } hooks[] = {{"user32.dll", "GetShellWindow", reinterpret_cast<void*>(&ShellWindow)},
                 {"advapi32.dll", "OpenProcessToken", reinterpret_cast<void*>(&OpenToken)},
                 {"advapi32.dll", "GetTokenInformation", reinterpret_cast<void*>(&TokenInformation)},
                 {"advapi32.dll", "CreateProcessWithTokenW", reinterpret_cast<void*>(&StartWithToken)},
                 {"kernel32.dll", "GetExitCodeProcess", reinterpret_cast<void*>(&ExitCode)}};
    for (const auto& hook : hooks)
        hooks_.push_back(std::make_unique<ImportHook>(hook.dll, hook.name, hook.replacement));
    g_scene.openToken = reinterpret_cast<decltype(&OpenProcessToken)>(hooks_[1]->Original());
    g_scene.tokenInformation = reinterpret_cast<decltype(&GetTokenInformation)>(hooks_[2]->Original());
}

void DesktopScene::SetExitCode(long exitCode)
{
    g_scene.exitCode = exitCode;
}

std::vector<std::vector<std::wstring>> DesktopScene::Runs() const
{
    std::vector<std::vector<std::wstring>> runs;
    for (const std::wstring& line : g_scene.commandLines) {
        int count = 0;
        wchar_t** arguments = CommandLineToArgvW(line.c_str(), &count);
        runs.emplace_back(arguments + 1, arguments + count);
        LocalFree(arguments);
    }
    return runs;
}
