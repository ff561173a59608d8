// Process entry: one-shot command-line modes, or the modal main dialog.
#include <windows.h>
#include <commctrl.h>

#include "core/app_globals.h"
#include "core/command_line.h"
#include "core/dll_search.h"
#include "core/entry_rules.h"
#include "mainwindow/main_dialog.h"
#include "mainwindow/open_dialog.h"
#include "res/resource.h"

namespace {

// Windows 2000 or later, of the NT family; anything older is refused without a word.
bool IsSupportedWindows()
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    return GetVersionExW(&info) && IsSupportedVersion(info.dwPlatformId, info.dwMajorVersion);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // First of all: every library but kernel32 and msvcrt is loaded later, by name (delayload/).
    RestrictDllSearch();
    if (!IsSupportedWindows())
        return 1;
    int exitStatus = 0;
    if (!ParseCommandLine(&exitStatus))
        return exitStatus;
    if (ShowOpenDialogOfThisExecutable())
        return 0;
    // Wine looks for a system library's own delay imports (the common controls' msimg32) beside
    // the executable, whatever the restriction: loaded from System32 first, it is found loaded.
    LoadSystemLibrary(L"msimg32.dll");
    InitCommonControls();
    g_hInstance = instance;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDlgProc, 0);
    return 0;
}

// The process starts here rather than in the C runtime's start-up code, which would cost a tenth
// of the executable and which nothing needs: no static constructors, no argv, no thread-local
// data; msvcrt initialises itself when it is loaded. The stack is aligned for x86's sake.
extern "C" __attribute__((force_align_arg_pointer)) void WINAPI MorvexEntry()
{
    ExitProcess(static_cast<UINT>(wWinMain(GetModuleHandleW(nullptr), nullptr, GetCommandLineW(), SW_SHOWDEFAULT)));
}
