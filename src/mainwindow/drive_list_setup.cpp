// The drive list's set-up: styles, row height, background, its columns and the bold title font,
// made anew for each DPI.
#include "mainwindow/drive_list_setup.h"

#include <commctrl.h>

#include "core/app_globals.h"
#include "controls/dpi_rules.h"
#include "mainwindow/row_geometry.h"
#include "res/resource.h"

HFONT g_hBoldFont = nullptr;

namespace {

constexpr DWORD kListExtendedStyle = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_UNDERLINEHOT | LVS_EX_LABELTIP;

HWND DriveList()
{
    return GetDlgItem(g_hwndMain, IDC_DRIVE_LIST);
}

// The row height follows the small image list: 44 pixels at 96 DPI, at the dialog's DPI. Its size
// alone does that; the rows draw their icon themselves, so the list holds no image.
void SetRowHeightImages(HWND list)
{
    const int rowHeight = ScaleForDpi(kRowHeight, g_uDpi);
    HIMAGELIST images = ImageList_Create(rowHeight, rowHeight, ILC_COLOR32 | ILC_MASK, 1, 1);
    // The list hands back the list of an earlier DPI; it releases only the one it holds at the end.
    auto previous = reinterpret_cast<HIMAGELIST>(
        SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images)));
    if (previous != nullptr)
        ImageList_Destroy(previous);
}

// The bold title font is made from the list's font, which the dialog gives it at its DPI.
void MakeBoldFont(HWND list)
{
    HFONT previous = g_hBoldFont;
    g_hBoldFont = nullptr;
    LOGFONTW font = {};
    auto listFont = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    if (GetObjectW(listFont, sizeof(font), &font) != 0) {
        font.lfWeight = FW_BOLD;
        g_hBoldFont = CreateFontIndirectW(&font);
    }
    if (previous != nullptr)
        DeleteObject(previous);
}

}  // namespace

void ConfigureDriveList()
{
    HWND list = DriveList();
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kListExtendedStyle);
    SetRowHeightImages(list);
    SendMessageW(list, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));

    RECT client = {};
    GetClientRect(list, &client);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = client.right - client.left;
    column.iSubItem = 0;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    // No width and no header: the rows draw everything, and the column only holds the descriptions.
    column.cx = 0;
    column.iSubItem = 1;
    SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    MakeBoldFont(list);
}

void ApplyDpiToDriveList()
{
    if (g_hwndMain == nullptr)
        return;
    HWND list = DriveList();
    SetRowHeightImages(list);
    MakeBoldFont(list);
    // The list measures its rows again when it is given its font.
    SendMessageW(list, WM_SETFONT, SendMessageW(list, WM_GETFONT, 0, 0), TRUE);
    FitListColumn();
}

void FitListColumn()
{
    if (g_hwndMain == nullptr)
        return;
    HWND list = DriveList();
    RECT client = {};
    GetClientRect(list, &client);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = client.right - client.left - 1;
    SendMessageW(list, LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}
