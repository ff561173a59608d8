// Starts Morvex.exe in its own process and answers the boxes it shows.
#include "support/program_runner.h"

namespace {

struct BoxSearch {
    DWORD processId;
    std::vector<RecordedBox>* boxes;
};

BOOL CALLBACK AnswerBoxesOfProcess(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<BoxSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && IsMessageBox(window)) {
        search->boxes->push_back(ReadMessageBox(window));
        // Wait for the box to go, so that it is not counted twice.
        SendMessageTimeoutW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0, SMTO_BLOCK, 5000, nullptr);
        for (int i = 0; i < 100 && IsWindow(window); ++i)
            Sleep(20);
    }
    return TRUE;
}

}  // namespace

std::wstring MorvexExecutable()
{
    wchar_t path[1024] = L"";
    GetEnvironmentVariableW(L"MORVEX_EXE", path, 1024);
    return path;
}

ProgramRun RunProgram(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs)
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
    BoxSearch search{process.dwProcessId, &run.boxes};
    DWORD waited = 0;
    while (waited < timeoutMs) {
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
            run.finished = true;
            break;
        }
        waited += 50;
        EnumWindows(AnswerBoxesOfProcess, reinterpret_cast<LPARAM>(&search));
    }
    if (!run.finished)
        TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}
