// The colours the dialog paints its own parts in: its fixed ones (white list, black texts, the
// blue and grey gradients, a blue link), or the system's under High Contrast and whenever the
// window colours are not black text on white.
#pragma once
#include <windows.h>

// True while the system's colours are used; read at dialog start and at every colour change.
extern bool g_bSystemColours;

// Reads the High Contrast flag and the window colours anew.
void ReadColourScheme();

// Background of the list and its rows: white, or the window colour.
COLORREF ListBackgroundColour();

// Re-reads the scheme, gives the list its background and the link its colours, and repaints.
void ApplyColourScheme(HWND dialog);

// WM_SYSCOLORCHANGE and WM_SETTINGCHANGE of the dialog.
void OnColoursChanged(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
