// The DPI a window is drawn at.
#include "controls/dpi.h"

#include "controls/dpi_rules.h"
#include "core/dll_search.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Bound at run time: older systems do not export it. The window system is loaded by then.
GetDpiForWindowFunction BoundGetDpiForWindow()
{
    static bool looked = false;
    static GetDpiForWindowFunction function = nullptr;
    if (!looked) {
        HMODULE user = GetModuleHandleW(L"user32.dll");
        if (user != nullptr)
            BindFunction(user, "GetDpiForWindow", &function);
        looked = true;
    }
    return function;
}

}  // namespace

UINT WindowDpi(HWND window)
{
    GetDpiForWindowFunction getDpiForWindow = BoundGetDpiForWindow();
    UINT dpi = getDpiForWindow != nullptr && window != nullptr ? getDpiForWindow(window) : 0;
    if (dpi != 0)
        return dpi;
    HDC screen = GetDC(nullptr);
    int pixels = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return pixels > 0 ? static_cast<UINT>(pixels) : kBaseDpi;
}
