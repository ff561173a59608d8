// Process entry: one-shot command-line modes, or the modal main dialog.
#include <windows.h>
#include <commctrl.h>

#include "core/app_globals.h"
#include "core/command_line.h"
#include "core/dll_search.h"
#include "core/windows_version.h"
#include "mainwindow/main_dialog.h"
#include "res/resource.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // First of all: every library but kernel32 and msvcrt is loaded later, by name (delayload/).
    RestrictDllSearch();
    if (!IsSupportedWindows())
        return 1;
    if (!ParseCommandLine())
        return 0;
    // Wine looks for a system library's own delay imports (the common controls' msimg32) beside
    // the executable, whatever the restriction: loaded from System32 first, it is found loaded.
    LoadSystemLibrary(L"msimg32.dll");
    InitCommonControls();
    g_hInstance = instance;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDlgProc, 0);
    return 0;
}
