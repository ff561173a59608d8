// The colours the dialog paints its own parts in, following the system's.
#include "mainwindow/colour_scheme.h"

#include <commctrl.h>

#include "controls/hyperlink.h"
#include "mainwindow/dialog_rules.h"
#include "mainwindow/toolbars.h"
#include "res/resource.h"

bool g_bSystemColours = false;

void ReadColourScheme()
{
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof(contrast);
    bool highContrast = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
                        (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    g_bSystemColours = UseSystemColours(highContrast, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT));
}

COLORREF ListBackgroundColour()
{
    return g_bSystemColours ? GetSysColor(COLOR_WINDOW) : RGB(255, 255, 255);
}

void ApplyColourScheme(HWND dialog)
{
    ReadColourScheme();
    SendDlgItemMessageW(dialog, IDC_DRIVE_LIST, LVM_SETBKCOLOR, 0, ListBackgroundColour());
    // A contrast theme has one colour for links, visited or not.
    COLORREF link = g_bSystemColours ? GetSysColor(COLOR_HOTLIGHT) : kDefaultLinkColor;
    COLORREF visited = g_bSystemColours ? link : kDefaultVisitedColor;
    SetHyperlinkColors(GetDlgItem(dialog, IDC_HOMEPAGE_LINK), link, visited);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void OnColoursChanged(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The common controls hear of a change only from their parent.
    SendDlgItemMessageW(dialog, IDC_DRIVE_LIST, message, wParam, lParam);
    SendMessageW(g_hwndMainToolbar, message, wParam, lParam);
    SendMessageW(g_hwndBrowseToolbar, message, wParam, lParam);
    ApplyColourScheme(dialog);
}
