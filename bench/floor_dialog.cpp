// The floor for a dialog start: a modal dialog with nothing in it.
#include <windows.h>

namespace {

INT_PTR CALLBACK FloorDialogProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE)
        EndDialog(dialog, 0);
    return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title[6];
    } dialog = {};
    dialog.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_MODALFRAME;
    dialog.header.cx = 300;
    dialog.header.cy = 200;
    const wchar_t title[] = L"Floor";
    for (int i = 0; i < 6; ++i)
        dialog.title[i] = title[i];
    DialogBoxIndirectParamW(instance, &dialog.header, nullptr, FloorDialogProc, 0);
    return 0;
}
