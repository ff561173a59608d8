// The dialog's commands: Close, the autostart check box, Remove, Save, New, Browse, Open and For
// administrator programs, the New button following the letter picked in the combo, and folders
// dropped onto the dialog.
#pragma once
#include <windows.h>
#include <shellapi.h>

// Set at dialog start: path completion is set up when the path box first gets the focus.
extern bool g_pathCompletionPending;

// Set at dialog start: For administrator programs is offered, to an administrator under UAC in a
// Morvex that is not elevated.
extern bool g_offerForAdministrators;

// WM_COMMAND: id and code are the low and high words of wParam, control its lParam.
void OnCommand(HWND dialog, int id, HWND control, UINT code);

// WM_DROPFILES: one folder fills the path box as the folder picker does, and picks the highest
// free letter when none is picked; anything else is refused with a beep and changes nothing.
void OnDropFiles(HWND dialog, HDROP drop);
