// The drive list's menu and double-click: Open for a connected drive, and Remove.
#pragma once
#include <windows.h>
#include <commctrl.h>

// WM_CONTEXTMENU (a right click, Shift+F10 or the menu key): the selected row's menu, at the
// click or, from the keyboard, under the row. The command chosen runs as its button's does.
void OnDriveListMenu(HWND dialog, HWND window, LPARAM position);

// NM_DBLCLK of the drive list: a double-click on a row opens it, as its menu's Open does.
void OnDriveListDoubleClick(HWND dialog, const NMITEMACTIVATE* click);
