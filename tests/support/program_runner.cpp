// Starts Morvex.exe in its own process and answers the boxes it shows.
#include "support/program_runner.h"

namespace {

struct WindowSearch {
    DWORD processId;
    ProgramRun* run;
    const DialogHandler* onDialog;
};

bool IsMainDialog(HWND window)
{
    wchar_t className[32] = L"";
    wchar_t caption[32] = L"";
    GetClassNameW(window, className, 32);
    GetWindowTextW(window, caption, 32);
    return lstrcmpW(className, L"#32770") == 0 && lstrcmpW(caption, L"Morvex") == 0 && !IsMessageBox(window);
}

BOOL CALLBACK HandleWindowsOfProcess(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    if (IsMainDialog(window) && !search->run->dialogShown) {
        search->run->dialogShown = true;
        (*search->onDialog)(window);
    } else if (IsMessageBox(window)) {
        search->run->boxes.push_back(ReadMessageBox(window));
        // Wait for the box to go, so that it is not counted twice.
        SendMessageTimeoutW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0, SMTO_BLOCK, 5000, nullptr);
        for (int i = 0; i < 100 && IsWindow(window); ++i)
            Sleep(20);
    }
    return TRUE;
}

}  // namespace

void CloseWithCaptionBox(HWND dialog)
{
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

std::wstring MorvexExecutable()
{
    wchar_t path[1024] = L"";
    GetEnvironmentVariableW(L"MORVEX_EXE", path, 1024);
    return path;
}

ProgramRun RunProgram(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs,
                      const DialogHandler& onDialog)
{
    ProgramRun run;
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return run;
    run.started = true;
    WindowSearch search{process.dwProcessId, &run, &onDialog};
    DWORD waited = 0;
    while (waited < timeoutMs) {
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
            run.finished = true;
            break;
        }
        waited += 50;
        EnumWindows(HandleWindowsOfProcess, reinterpret_cast<LPARAM>(&search));
    }
    if (!run.finished)
        TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}
