// A stand-in for the main dialog with one static control.
#include "support/link_host.h"

#include "controls/visual_styles.h"

namespace {

const wchar_t kHostClass[] = L"MorvexLinkHost";
const wchar_t kHostProperty[] = L"MorvexLinkHost";

void RegisterHostClass(WNDPROC procedure)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = CreateSolidBrush(LinkHost::kBackground);
    windowClass.lpszClassName = kHostClass;
    if (RegisterClassExW(&windowClass) == 0)
        DeleteObject(windowClass.hbrBackground);
}

LinkHost* HostOf(HWND window)
{
    return static_cast<LinkHost*>(GetPropW(window, kHostProperty));
}

}  // namespace

LinkHost::LinkHost(const wchar_t* text, int width, int height)
{
    RegisterHostClass(HostProc);
    window_ = CreateWindowExW(0, kHostClass, L"Morvex link test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 420, 200,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetPropW(window_, kHostProperty, this);
    static_ = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT, kStaticX, kStaticY,
                              width, height, window_, reinterpret_cast<HMENU>(1002), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(static_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetPropW(static_, kHostProperty, this);
    staticProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(static_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpyProc)));
    SetForegroundWindow(window_);
}

LinkHost::~LinkHost()
{
    DestroyStatic();
    RemovePropW(window_, kHostProperty);
    DestroyWindow(window_);
}

WNDPROC LinkHost::Spy() const
{
    return SpyProc;
}

bool LinkHost::Passed(UINT message) const
{
    for (const SpiedMessage& spied : passed_) {
        if (spied.message == message)
            return true;
    }
    return false;
}

std::vector<SpiedMessage> LinkHost::PassedAmong(std::initializer_list<UINT> messages) const
{
    std::vector<SpiedMessage> among;
    for (const SpiedMessage& spied : passed_) {
        for (UINT message : messages) {
            if (spied.message == message)
                among.push_back(spied);
        }
    }
    return among;
}

void LinkHost::DestroyStatic()
{
    if (static_ != nullptr)
        DestroyWindow(static_);
    static_ = nullptr;
}

LRESULT CALLBACK LinkHost::HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_THEMECHANGED) {
        if (LinkHost* host = HostOf(window))
            ++host->themeChanges_;
        RefreshThemes(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK LinkHost::SpyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LinkHost* host = HostOf(window);
    WNDPROC original = host->staticProc_;
    host->passed_.push_back({message, wParam, lParam});
    if (message == WM_NCDESTROY) {
        host->reinstalledAtNcDestroy_ = GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(SpyProc);
        RemovePropW(window, kHostProperty);
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    return CallWindowProcW(original, window, message, wParam, lParam);
}

SIZE ClientSize(HWND window)
{
    RECT rect;
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}
