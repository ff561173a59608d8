// Painting of the drive list's owner-drawn rows: white background, a rounded blue (focused)
// or grey selection frame over a vertical gradient, the program icon, the bold title
// "Virtual Drive X:" and the directory shortened in its middle when it does not fit; in the
// system's colours a flat highlight instead. A saved drive that is not connected has its icon and
// title dimmed and its state behind the title. The focused row gets a focus rectangle while the
// list shows keyboard cues.
#pragma once
#include <windows.h>

#include "controls/dpi_rules.h"

// The row icon (32x32 at 96 DPI), loaded at the first row drawn and kept until the DPI changes,
// and its dimmed copy for saved drives that are not connected, made at the first such row.
extern HICON g_hItemIcon;
extern HICON g_hDimmedItemIcon;

// WM_DRAWITEM of the main dialog; rows of controls other than the drive list are left alone.
void DrawDriveItem(HWND dialog, const DRAWITEMSTRUCT* drawItem);

// Rounded double outline inside rect, filled with the window colour; rect is not changed.
void DrawSelectionFrame(HDC hdc, const RECT* rect, COLORREF outerColour, COLORREF innerColour,
                        unsigned dpi = kBaseDpi);

// rect filled from topColour on its top row to bottomColour at its bottom; GradientFill's result.
BOOL FillVerticalGradient(HDC hdc, const RECT* rect, COLORREF topColour, COLORREF bottomColour);

// Lets the next row drawn load the icon at the size of the DPI it is then drawn at.
void ReleaseRowIcon();
