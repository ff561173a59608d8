// The two toolbars beside the letter combo and the path box: Remove, Save, New and, where it is
// offered, For administrator programs; and Browse.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "mainwindow/dialog_rules.h"

extern HWND g_hwndMainToolbar;
extern HWND g_hwndBrowseToolbar;
extern HIMAGELIST g_himlMainToolbar;
extern HIMAGELIST g_himlBrowseToolbar;

// Creates both toolbars at dialog start, beside the letter combo and the path box.
void CreateToolbars(HWND dialog);

// After a change of the dialog's DPI: icons, button sizes and places anew, the old image lists released.
void ApplyDpiToToolbars(HWND dialog);

// Sets the Remove, Save and New buttons of the main toolbar; Unchanged leaves a button alone.
void ApplyToolbarStates(const ToolbarStates& states);
