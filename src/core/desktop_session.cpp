// The desktop's logon session: the tokens compared, and a start of Morvex there.
#include "core/desktop_session.h"

#include <exdisp.h>
#include <initializer_list>
#include <servprov.h>
#include <shldisp.h>
#include <shlobj.h>

#include "core/bounded_string.h"
#include "core/dll_search.h"
#include "core/logon_path.h"

namespace {

// A module path is accepted below 1024 units; the arguments hold a directory of as many.
constexpr size_t kProgramCapacity = 1024;
constexpr size_t kCommandLineCapacity = 2 * kProgramCapacity + 32;

// The token of the desktop shell's process, or null when there is no shell window or its process
// cannot be opened.
HANDLE OpenShellToken(DWORD access)
{
    HWND shell = GetShellWindow();
    DWORD processId = 0;
    HANDLE process = shell != nullptr && GetWindowThreadProcessId(shell, &processId) != 0
                         ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)
                         : nullptr;
    HANDLE token = nullptr;
    if (process != nullptr && !OpenProcessToken(process, access, &token))
        token = nullptr;
    if (process != nullptr)
        CloseHandle(process);
    return token;
}

// The logon session and the user of a token; the user's SID lies in the same block.
struct TokenIdentity {
    LUID logonSession;
    union {
        TOKEN_USER user;
        BYTE bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } user;
};

bool ReadIdentity(HANDLE token, TokenIdentity* identity)
{
    TOKEN_STATISTICS statistics = {};
    DWORD size = 0;
    if (token == nullptr || !GetTokenInformation(token, TokenStatistics, &statistics, sizeof statistics, &size) ||
        !GetTokenInformation(token, TokenUser, &identity->user, sizeof identity->user, &size))
        return false;
    identity->logonSession = statistics.AuthenticationId;
    return true;
}

HANDLE OpenOwnToken()
{
    HANDLE token = nullptr;
    return OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) ? token : nullptr;
}

bool StartWithShellToken(const wchar_t* program, wchar_t* commandLine, const wchar_t* directory, HANDLE* process)
{
    HANDLE shellToken = OpenShellToken(TOKEN_DUPLICATE | TOKEN_QUERY);
    HANDLE primary = nullptr;
    bool started = false;
    if (shellToken != nullptr &&
        DuplicateTokenEx(shellToken, TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_ASSIGN_PRIMARY | TOKEN_ADJUST_DEFAULT |
                                         TOKEN_ADJUST_SESSIONID,
                         nullptr, SecurityImpersonation, TokenPrimary, &primary)) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION information = {};
        started = CreateProcessWithTokenW(primary, 0, program, commandLine, 0, nullptr, directory, &startup,
                                          &information) != FALSE;
        if (started) {
            CloseHandle(information.hThread);
            *process = information.hProcess;
        }
        CloseHandle(primary);
    }
    if (shellToken != nullptr)
        CloseHandle(shellToken);
    return started;
}

// The documented way to start a program unelevated from an elevated one: the desktop's own shell
// view hands the shell's dispatch object, whose ShellExecute runs in the desktop's session.
IShellDispatch2* DesktopShellDispatch()
{
    IShellWindows* windows = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&windows))))
        return nullptr;
    VARIANT none = {};
    long window = 0;
    IDispatch* desktop = nullptr;
    IServiceProvider* provider = nullptr;
    IShellBrowser* browser = nullptr;
    IShellView* view = nullptr;
    IDispatch* background = nullptr;
    IShellFolderViewDual* folderView = nullptr;
    IDispatch* application = nullptr;
    IShellDispatch2* shell = nullptr;
    if (windows->FindWindowSW(&none, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, &desktop) == S_OK &&
        SUCCEEDED(desktop->QueryInterface(IID_PPV_ARGS(&provider))) &&
        SUCCEEDED(provider->QueryService(SID_STopLevelBrowser, IID_PPV_ARGS(&browser))) &&
        SUCCEEDED(browser->QueryActiveShellView(&view)) &&
        SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_PPV_ARGS(&background))) &&
        SUCCEEDED(background->QueryInterface(IID_PPV_ARGS(&folderView))) &&
        SUCCEEDED(folderView->get_Application(&application)))
        application->QueryInterface(IID_PPV_ARGS(&shell));
    IUnknown* held[] = {application, folderView, background, view, browser, provider, desktop, windows};
    for (IUnknown* object : held) {
        if (object != nullptr)
            object->Release();
    }
    return shell;
}

// The strings' library is bound here, the one place that needs it, rather than delay-loaded.
bool HandToDesktopShell(const wchar_t* program, const wchar_t* arguments, const wchar_t* directory)
{
    BSTR(WINAPI * SysAllocString)(const OLECHAR*) = nullptr;
    void(WINAPI * SysFreeString)(BSTR) = nullptr;
    HMODULE strings = LoadSystemLibrary(L"oleaut32.dll");
    if (!BindFunction(strings, "SysAllocString", &SysAllocString) || !BindFunction(strings, "SysFreeString", &SysFreeString))
        return false;
    HRESULT com = CoInitialize(nullptr);
    IShellDispatch2* shell = DesktopShellDispatch();
    bool handed = false;
    if (shell != nullptr) {
        VARIANT argumentsValue = {}, directoryValue = {}, operation = {}, show = {};
        argumentsValue.vt = directoryValue.vt = VT_BSTR;
        argumentsValue.bstrVal = SysAllocString(arguments);
        directoryValue.bstrVal = SysAllocString(directory);
        show.vt = VT_I4;
        show.lVal = SW_SHOWNORMAL;
        BSTR file = SysAllocString(program);
        handed = file != nullptr && argumentsValue.bstrVal != nullptr && directoryValue.bstrVal != nullptr &&
                 SUCCEEDED(shell->ShellExecute(file, argumentsValue, directoryValue, operation, show));
        SysFreeString(file);
        SysFreeString(argumentsValue.bstrVal);
        SysFreeString(directoryValue.bstrVal);
        shell->Release();
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return handed;
}

}  // namespace

SessionKind DesktopSessionKind()
{
    SessionFacts facts = {};
    HANDLE own = OpenOwnToken();
    HANDLE shell = OpenShellToken(TOKEN_QUERY);
    TokenIdentity ownIdentity = {}, shellIdentity = {};
    facts.shellRead = ReadIdentity(own, &ownIdentity) && ReadIdentity(shell, &shellIdentity);
    if (facts.shellRead) {
        facts.sameUser = EqualSid(ownIdentity.user.user.User.Sid, shellIdentity.user.user.User.Sid) != FALSE;
        facts.sameLogonSession = ownIdentity.logonSession.LowPart == shellIdentity.logonSession.LowPart &&
                                 ownIdentity.logonSession.HighPart == shellIdentity.logonSession.HighPart;
        // Windows before Vista know no elevation: the query fails, and Morvex counts as not elevated.
        TOKEN_ELEVATION elevation = {};
        DWORD size = 0;
        facts.elevated = GetTokenInformation(own, TokenElevation, &elevation, sizeof elevation, &size) &&
                         elevation.TokenIsElevated != 0;
    }
    for (HANDLE token : {own, shell}) {
        if (token != nullptr)
            CloseHandle(token);
    }
    return ClassifySession(facts);
}

bool IsAdministratorUnderUac()
{
    HANDLE own = OpenOwnToken();
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    bool limited = own != nullptr && GetTokenInformation(own, TokenElevationType, &type, sizeof type, &size) &&
                   type == kElevationTypeLimited;
    if (own != nullptr)
        CloseHandle(own);
    return limited;
}

DesktopLaunch LaunchInDesktopSession(const wchar_t* arguments, HANDLE* process)
{
    *process = nullptr;
    // By the path it has without the drives of this session, which the desktop's may lack.
    wchar_t program[kProgramCapacity];
    wchar_t directory[kProgramCapacity];
    wchar_t commandLine[kCommandLineCapacity];
    size_t length = LogonPathOfExecutable(program, kProgramCapacity);
    if (length == 0 || !BuildCommandLine(program, arguments, commandLine, kCommandLineCapacity))
        return DesktopLaunch::Failed;
    CopyBounded(directory, kProgramCapacity, program);
    for (size_t end = length; end > 0 && directory[end - 1] != L'\\'; --end)
        directory[end - 1] = L'\0';
    if (StartWithShellToken(program, commandLine, directory, process))
        return DesktopLaunch::Started;
    return HandToDesktopShell(program, arguments, directory) ? DesktopLaunch::HandedToShell : DesktopLaunch::Failed;
}
