// The DPI a window is drawn at.
#pragma once
#include <windows.h>

// GetDpiForWindow where the system has it (Windows 10 1607 and later); elsewhere the screen's
// LOGPIXELSY, which is the system DPI that older systems draw every window at.
UINT WindowDpi(HWND window);
