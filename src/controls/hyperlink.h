// The hyperlink control: a static control subclassed in place so that it draws its text
// underlined in a link colour, shows the hand cursor, opens its target through the shell on a
// click (and on Space when focusable) and can size itself to its text.
#pragma once
#include <windows.h>

#include "controls/hyperlink_rules.h"

// One per link window, attached as its user data, freed at WM_NCDESTROY.
struct HyperlinkData {
    WCHAR szUrl[kLinkTextCapacity];  // empty: open the window text instead
    WNDPROC pfnPrevWndProc;          // the static's own procedure, gets everything not consumed
    HCURSOR hCursor;                 // shared system cursor, never destroyed; null: the arrow
    HFONT hUnderlineFont;            // owned: underlined copy of the font given by WM_SETFONT
    COLORREF crLink;
    COLORREF crVisited;
    BOOL bPressed;                   // a left-button press on the link awaits its release
    DWORD dwFlags;                   // HLF_* bits, stored whole
};

// Turns a static control into a link, or updates a link: target (null: none), colours (null:
// the defaults) and flags. TRUE on success.
BOOL MakeHyperlink(HWND window, LPCWSTR url, const COLORREF* pLinkColor, const COLORREF* pVisitedColor,
                   DWORD flags);

// New link and visited colours for a link, keeping its state; repaints it. FALSE for any other window.
BOOL SetHyperlinkColors(HWND window, COLORREF linkColor, COLORREF visitedColor);

// Opens the link's target through the shell; TRUE when the shell accepted it.
BOOL OpenHyperlink(HWND window);

// pMeasure null: paints the whole link into dc. Otherwise paints nothing and stores the size
// that the text needs in pMeasure's right and bottom.
BOOL PaintHyperlink(HWND window, HDC dc, RECT* pMeasure);

// Resizes the window to its measured text, keeping position and Z order, without redrawing.
BOOL AutoSizeHyperlink(HWND window);

LRESULT CALLBACK HyperlinkWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
