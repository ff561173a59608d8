// The dialog by keyboard: the tab order, the toolbars' arrow keys, Space and Enter, Delete in
// the drive list, and letters typed into the letter combo.
#pragma once
#include <windows.h>
#include <commctrl.h>

// Once the toolbars exist: puts them in reading order among the template's controls and lets
// the toolbars and the letter combo take their keys.
void EnableKeyboard(HWND dialog);

// After the buttons' states changed: a focused toolbar's hot button moves on from a disabled one.
void KeepHotButtonEnabled(HWND toolbar);

// LVN_KEYDOWN of the drive list: Delete removes the selected drive, as the Remove button does.
void OnDriveListKey(const NMLVKEYDOWN* key);
