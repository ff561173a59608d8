// The floor for Morvex's dialog start: Morvex's own template, manifest and resources, shown
// modally after the common controls are registered, with a procedure that does nothing.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"

namespace {

INT_PTR CALLBACK EmptyDialogProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE)
        EndDialog(dialog, 0);
    return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    InitCommonControls();
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, EmptyDialogProc, 0);
    return 0;
}
