// The dialog's commands: Close, the autostart check box, Remove, Save, New and Browse, and
// the New button following the letter picked in the combo.
#pragma once
#include <windows.h>

// WM_COMMAND: id and code are the low and high words of wParam, control its lParam.
void OnCommand(HWND dialog, int id, HWND control, UINT code);
