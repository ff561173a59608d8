// Process-wide handles shared by every part of the program.
#include "core/app_globals.h"

HINSTANCE g_hInstance = nullptr;
HWND g_hwndMain = nullptr;
UINT g_uDpi = 96;
