// The drive list's menu and double-click.
#include "mainwindow/drive_menu.h"

#include "core/app_globals.h"
#include "mainwindow/commands.h"
#include "mainwindow/dialog_rules.h"
#include "mainwindow/drive_list.h"
#include "res/resource.h"

namespace {

constexpr int kItemTextCapacity = 64;

void AppendMenuCommand(HMENU menu, UINT command, UINT textId)
{
    wchar_t text[kItemTextCapacity] = L"";
    LoadStringW(g_hInstance, textId, text, kItemTextCapacity);
    AppendMenuW(menu, MF_STRING, command, text);
}

// Where the menu of the selected row opens: at the click, or below the row's left end for a
// position of -1, -1, which the keyboard gives.
POINT MenuPosition(HWND list, int row, LPARAM position)
{
    POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    if (point.x == -1 && point.y == -1 && SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds))) {
        point = {bounds.left, bounds.bottom};
        ClientToScreen(list, &point);
    }
    return point;
}

}  // namespace

void OnDriveListMenu(HWND dialog, HWND window, LPARAM position)
{
    int row = -1;
    const DriveRecord* record = SelectedRecord(&row);
    if (window != GetDlgItem(dialog, IDC_DRIVE_LIST) || record == nullptr)
        return;
    const wchar_t letter = record->letter;
    HMENU menu = CreatePopupMenu();
    if (record->state == DriveState::Connected) {
        AppendMenuCommand(menu, IDM_OPEN, IDS_OPEN);
        SetMenuDefaultItem(menu, IDM_OPEN, FALSE);
    }
    AppendMenuCommand(menu, IDM_REMOVE, IDS_REMOVE);
    if (g_offerForAdministrators) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuCommand(menu, IDM_FOR_ADMINISTRATORS, IDS_FOR_ADMINISTRATORS);
    }
    POINT point = MenuPosition(window, row, position);
    UINT command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, dialog, nullptr);
    DestroyMenu(menu);
    // The menu ran a message loop, in which a refresh may have changed the rows: the command is for
    // the drive the menu was opened for, or for none.
    if (command != 0 && SelectedLetter() == letter)
        OnCommand(dialog, static_cast<int>(command), nullptr, BN_CLICKED);
}

void OnDriveListDoubleClick(HWND dialog, const NMITEMACTIVATE* click)
{
    if (click->iItem >= 0)
        OnCommand(dialog, IDM_OPEN, nullptr, BN_CLICKED);
}
