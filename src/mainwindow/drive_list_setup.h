// The drive list's set-up, once at dialog start and again for each DPI.
#pragma once
#include <windows.h>

// Bold copy of the list's font for the row titles, at the dialog's DPI; null when it could not be made.
extern HFONT g_hBoldFont;

// Once, at dialog start: list styles, row height, background, the column and g_hBoldFont.
void ConfigureDriveList();

// After a change of the dialog's DPI: row height and bold font anew, the old ones released.
void ApplyDpiToDriveList();

// Column 0 as wide as the list's client area minus one pixel.
void FitListColumn();
