// The hyperlink control: a static control subclassed into a link.
#include "controls/hyperlink.h"

#include <shellapi.h>
#include <windowsx.h>

#include "controls/dpi.h"
#include "controls/hyperlink_rules.h"
#include "controls/visual_styles.h"
#include "core/bounded_string.h"

static_assert(kLinkFormatCenter == DT_CENTER && kLinkFormatRight == DT_RIGHT &&
                  kLinkFormatVerticalCenter == DT_VCENTER && kLinkFormatBottom == DT_BOTTOM &&
                  kLinkFormatSingleLine == DT_SINGLELINE && kLinkFormatNoPrefix == DT_NOPREFIX,
              "link text format bits differ from the system's");
static_assert(kLinkStyleBorder == WS_BORDER && kLinkStyleTabStop == WS_TABSTOP && kLinkStyleNotify == SS_NOTIFY,
              "link style bits differ from the system's");

namespace {

// Pointers need the full width of GWLP_* on x64; GWL_* would cut them to 32 bits.
HyperlinkData* LinkRecord(HWND window)
{
    return reinterpret_cast<HyperlinkData*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool IsHyperlink(HWND window)
{
    return GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(HyperlinkWndProc);
}

void Repaint(HWND window)
{
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

void ReadWindowText(HWND window, wchar_t (&text)[kLinkTextCapacity])
{
    text[0] = L'\0';
    SendMessageW(window, WM_GETTEXT, kLinkTextCapacity, reinterpret_cast<LPARAM>(text));
}

// Without an underlined font the text uses whatever font dc already holds; returns what to
// select back, or null when nothing was selected.
HGDIOBJ SelectLinkFont(HDC dc, const HyperlinkData* link)
{
    return link->hUnderlineFont != nullptr ? SelectObject(dc, link->hUnderlineFont) : nullptr;
}

void RestoreFont(HDC dc, HGDIOBJ previous)
{
    if (previous != nullptr)
        SelectObject(dc, previous);
}

// Gives the static a zeroed record and puts HyperlinkWndProc in front of its own procedure.
// Null, with the window left as it was, when either step fails.
HyperlinkData* AttachRecord(HWND window)
{
    auto* link = static_cast<HyperlinkData*>(GlobalAlloc(GPTR, sizeof(HyperlinkData)));
    if (link == nullptr)
        return nullptr;
    auto font = static_cast<WPARAM>(SendMessageW(window, WM_GETFONT, 0, 0));
    link->pfnPrevWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    LONG_PTR previousUserData = GetWindowLongPtrW(window, GWLP_USERDATA);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(link));
    if (link->pfnPrevWndProc != nullptr)
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HyperlinkWndProc));
    if (!IsHyperlink(window)) {
        SetWindowLongPtrW(window, GWLP_USERDATA, previousUserData);
        GlobalFree(link);
        return nullptr;
    }
    link->bPressed = FALSE;
    link->hCursor = LoadCursorW(nullptr, IDC_HAND);
    // Reaches HyperlinkWndProc, which makes the underlined copy; the flags are still zero, so
    // nothing is resized or redrawn yet.
    SendMessageW(window, WM_SETFONT, font, 0);
    return link;
}

LRESULT PassOn(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

LRESULT OnSetText(HWND window, const HyperlinkData* link, WNDPROC previous, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = PassOn(previous, window, WM_SETTEXT, wParam, lParam);
    if (link->dwFlags & HLF_AUTOSIZE)
        AutoSizeHyperlink(window);
    Repaint(window);
    return result;
}

LRESULT OnPaint(HWND window, WPARAM wParam)
{
    PAINTSTRUCT paint;
    auto dc = wParam != 0 ? reinterpret_cast<HDC>(wParam) : BeginPaint(window, &paint);
    if (dc == nullptr)
        return 0;
    PaintHyperlink(window, dc, nullptr);
    if (wParam == 0)
        EndPaint(window, &paint);
    return 0;
}

LRESULT OnSetCursor(const HyperlinkData* link)
{
    SetCursor(link->hCursor != nullptr ? link->hCursor : LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}

LRESULT OnSetFont(HWND window, HyperlinkData* link, WNDPROC previous, WPARAM wParam, LPARAM lParam)
{
    LOGFONTW font = {};
    auto given = reinterpret_cast<HFONT>(wParam);
    // A handle that is not a font reads as nothing; it is treated like the null font.
    if (given == nullptr || GetObjectW(given, sizeof font, &font) == 0)
        GetObjectW(GetStockObject(SYSTEM_FONT), sizeof font, &font);
    font.lfUnderline = TRUE;
    if (link->hUnderlineFont != nullptr)
        DeleteObject(link->hUnderlineFont);
    link->hUnderlineFont = CreateFontIndirectW(&font);
    // The static keeps the plain font for WM_GETFONT and must not redraw with it.
    PassOn(previous, window, WM_SETFONT, wParam, 0);
    if (link->dwFlags & HLF_AUTOSIZE)
        AutoSizeHyperlink(window);
    if (LOWORD(lParam) != 0)
        Repaint(window);
    return 0;
}

// The hand cursor is the system's shared cursor: it is not ours to destroy.
LRESULT OnNcDestroy(HWND window, HyperlinkData* link, WNDPROC previous, WPARAM wParam, LPARAM lParam)
{
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (link->hUnderlineFont != nullptr)
        DeleteObject(link->hUnderlineFont);
    GlobalFree(link);
    return PassOn(previous, window, WM_NCDESTROY, wParam, lParam);
}

// The keyboard side of a focusable link: it repaints its focus rectangle, asks for characters
// and opens on Space, once per press (the auto-repeat's key-downs have the previous-state bit).
// False for what the static is to handle instead: everything, when the link is not focusable.
bool HandleAsFocusable(HWND window, const HyperlinkData* link, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT* result)
{
    if (!(link->dwFlags & HLF_FOCUSABLE))
        return false;
    *result = 0;
    constexpr LPARAM kKeyWasDown = 1 << 30;
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Repaint(window);
        return true;
    case WM_GETDLGCODE:
        *result = DLGC_WANTCHARS;
        return true;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && (lParam & kKeyWasDown) == 0)
            OpenHyperlink(window);
        return wParam == VK_SPACE;
    case WM_KEYUP:
        return wParam == VK_SPACE;
    default:
        return false;
    }
}

void OnLButtonDown(HWND window, HyperlinkData* link)
{
    if (link->dwFlags & HLF_FOCUSABLE)
        SetFocus(window);
    SetCapture(window);
    link->bPressed = TRUE;
}

// Only where the button comes up counts: the pointer may have left the window and come back.
void OnLButtonUp(HWND window, HyperlinkData* link, LPARAM lParam)
{
    // Taken first: releasing the capture clears it.
    bool pressed = link->bPressed != FALSE;
    link->bPressed = FALSE;
    ReleaseCapture();
    if (!pressed)
        return;
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(window, &point);
    RECT windowRect;
    if (GetWindowRect(window, &windowRect) && PtInRect(&windowRect, point))
        OpenHyperlink(window);
}

}  // namespace

BOOL MakeHyperlink(HWND window, LPCWSTR url, const COLORREF* pLinkColor, const COLORREF* pVisitedColor,
                   DWORD flags)
{
    if (!IsWindow(window))
        return FALSE;
    HyperlinkData* link = IsHyperlink(window) ? LinkRecord(window) : AttachRecord(window);
    if (link == nullptr)
        return FALSE;
    auto style = static_cast<uint32_t>(GetWindowLongW(window, GWL_STYLE));
    CopyBounded(link->szUrl, kLinkTextCapacity, url != nullptr ? url : L"");
    link->crLink = pLinkColor != nullptr ? *pLinkColor : kDefaultLinkColor;
    link->crVisited = pVisitedColor != nullptr ? *pVisitedColor : kDefaultVisitedColor;
    link->dwFlags = flags;
    SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(LinkWindowStyle(style, flags)));
    if (flags & HLF_AUTOSIZE)
        AutoSizeHyperlink(window);
    Repaint(window);
    return TRUE;
}

BOOL SetHyperlinkColors(HWND window, COLORREF linkColor, COLORREF visitedColor)
{
    HyperlinkData* link = IsHyperlink(window) ? LinkRecord(window) : nullptr;
    if (link == nullptr)
        return FALSE;
    link->crLink = linkColor;
    link->crVisited = visitedColor;
    Repaint(window);
    return TRUE;
}

BOOL OpenHyperlink(HWND window)
{
    if (!IsHyperlink(window))
        return FALSE;
    const HyperlinkData* link = LinkRecord(window);
    if (link == nullptr)
        return FALSE;
    // A copy: the shell may run a message loop in which the window and its record go away.
    wchar_t target[kLinkTextCapacity];
    if (link->szUrl[0] != L'\0')
        CopyBounded(target, kLinkTextCapacity, link->szUrl);
    else
        ReadWindowText(window, target);
    // Read as a signed value: above 32 the shell accepted the target.
    auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", target, nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32)
        return FALSE;
    if (IsHyperlink(window) && LinkRecord(window) != nullptr) {
        LinkRecord(window)->dwFlags |= HLF_VISITED;
        Repaint(window);
    }
    return TRUE;
}

BOOL PaintHyperlink(HWND window, HDC dc, RECT* pMeasure)
{
    if (!IsHyperlink(window) || dc == nullptr)
        return FALSE;
    const HyperlinkData* link = LinkRecord(window);
    if (link == nullptr)
        return FALSE;
    wchar_t text[kLinkTextCapacity];
    ReadWindowText(window, text);
    UINT format = LinkTextFormat(link->dwFlags);
    int inset = LinkTextInset(link->dwFlags, WindowDpi(window));

    if (pMeasure != nullptr) {
        SetRect(pMeasure, 0, 0, 0x7FFF, 0x7FFF);
        HGDIOBJ previousFont = SelectLinkFont(dc, link);
        DrawTextW(dc, text, -1, pMeasure, format | DT_CALCRECT);
        RestoreFont(dc, previousFont);
        pMeasure->right += 2 * inset;
        pMeasure->bottom += 2 * inset;
        return TRUE;
    }

    RECT rect;
    GetClientRect(window, &rect);
    if (g_themeApi.hThemeButton != nullptr && g_themeApi.DrawThemeParentBackground != nullptr)
        g_themeApi.DrawThemeParentBackground(window, dc, &rect);
    else
        FillRect(dc, &rect, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (link->dwFlags & HLF_FOCUSABLE) {
        if (GetFocus() == window)
            DrawFocusRect(dc, &rect);
        InflateRect(&rect, -inset, -inset);
    }
    COLORREF previousColor = SetTextColor(dc, (link->dwFlags & HLF_VISITED) ? link->crVisited : link->crLink);
    int previousMode = SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previousFont = SelectLinkFont(dc, link);
    DrawTextW(dc, text, -1, &rect, format);
    RestoreFont(dc, previousFont);
    SetBkMode(dc, previousMode);
    SetTextColor(dc, previousColor);
    return TRUE;
}

BOOL AutoSizeHyperlink(HWND window)
{
    if (!IsHyperlink(window))
        return FALSE;
    HDC dc = GetDC(window);
    if (dc == nullptr)
        return FALSE;
    RECT size;
    BOOL measured = PaintHyperlink(window, dc, &size);
    ReleaseDC(window, dc);
    if (!measured)
        return FALSE;
    return SetWindowPos(window, nullptr, 0, 0, size.right, size.bottom,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

LRESULT CALLBACK HyperlinkWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HyperlinkData* link = LinkRecord(window);
    if (link == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    // Taken now: WM_NCDESTROY frees the record before the message is passed on.
    WNDPROC previous = link->pfnPrevWndProc;
    LRESULT result = 0;
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_GETDLGCODE:
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (HandleAsFocusable(window, link, message, wParam, lParam, &result))
            return result;
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(window, link);
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(window, link, lParam);
        break;
    case WM_CAPTURECHANGED:
        // A press whose capture went elsewhere (Alt+Tab, another window) is no click on the link.
        link->bPressed = FALSE;
        break;
    case WM_PAINT:
        return OnPaint(window, wParam);
    case WM_SETCURSOR:
        return OnSetCursor(link);
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_SETTEXT:
        return OnSetText(window, link, previous, wParam, lParam);
    case WM_SETFONT:
        return OnSetFont(window, link, previous, wParam, lParam);
    case WM_NCDESTROY:
        return OnNcDestroy(window, link, previous, wParam, lParam);
    default:
        break;
    }
    // The static sees the mouse messages too, after the link, and everything the link does not consume.
    return PassOn(previous, window, message, wParam, lParam);
}
