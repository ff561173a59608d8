// The dialog's commands: Close, the autostart check box, Remove, Save, New, Browse and Open, and
// the New button following the letter picked in the combo.
#pragma once
#include <windows.h>

// Set at dialog start: path completion is set up when the path box first gets the focus.
extern bool g_pathCompletionPending;

// WM_COMMAND: id and code are the low and high words of wParam, control its lParam.
void OnCommand(HWND dialog, int id, HWND control, UINT code);
