// Process-wide handles shared by every part of the program.
#pragma once
#include <windows.h>

// Module instance for icons, strings and the dialog; null in the modes without a window.
extern HINSTANCE g_hInstance;

// The main dialog; null until it initialises, and in the modes without a window.
extern HWND g_hwndMain;

// The DPI the main dialog is drawn at: 96 until the dialog starts, then the dialog's own,
// following it from display to display.
extern UINT g_uDpi;
