// The dialog by keyboard: the tab order, the toolbars' arrow keys, Space and Enter, Delete in
// the drive list, and letters typed into the letter combo.
#pragma once
#include <windows.h>

// Once the toolbars exist: puts them in reading order among the template's controls and lets
// the toolbars, the letter combo and the drive list take their keys.
void EnableKeyboard(HWND dialog);

// After the buttons' states changed: a focused toolbar's hot button moves on from a disabled one.
void KeepHotButtonEnabled(HWND toolbar);
