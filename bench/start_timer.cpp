// Times a program from its start until its window with a given caption is shown and the
// program waits for input, then closes that window.
//   start_timer CAPTION PROGRAM [ARGUMENTS]   prints the milliseconds
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    DWORD processId;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t caption[64] = L"";
    GetWindowTextW(window, caption, 64);
    if (owner == search->processId && IsWindowVisible(window) && lstrcmpW(caption, search->caption) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 2;
    std::wstring commandLine = L"\"" + std::wstring(argv[2]) + L"\"";
    for (int i = 3; i < argc; ++i)
        commandLine += L" " + std::wstring(argv[i]);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(argv[2], &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 1;
    Search search = {process.dwProcessId, argv[1], nullptr};
    for (int i = 0; i < 20000 && search.found == nullptr; ++i) {
        EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr)
            Sleep(1);
    }
    WaitForInputIdle(process.hProcess, 10000);
    QueryPerformanceCounter(&end);
    if (search.found != nullptr)
        PostMessageW(search.found, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (search.found == nullptr)
        return 1;
    std::printf("%.1f\n", (end.QuadPart - begin.QuadPart) * 1000.0 / frequency.QuadPart);
    return 0;
}
