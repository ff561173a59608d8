// One dialog per executable in a log-on session: two would overwrite each other's settings file
// and Run value at Close, so a second start brings the open one to the front instead.
#pragma once
#include <windows.h>

// True when this executable's dialog is already open, or opening, in the session; it is then
// brought to the front, restored when minimised. Copies in other folders have their own.
bool ShowOpenDialogOfThisExecutable();

// Marks the dialog as this executable's open one, for a second start to find, and takes the
// mark away when it goes.
void MarkOpenDialog(HWND dialog);
void UnmarkOpenDialog(HWND dialog);
