// A window with the check box and drive list controls, standing in for the main dialog.
#include "support/control_host.h"

#include <commctrl.h>

#include "core/app_globals.h"
#include "mainwindow/dialog_rules.h"
#include "res/resource.h"

ControlHost::ControlHost()
{
    window_ = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    checkBox_ = CreateWindowExW(0, L"BUTTON", L"auto", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 100, 20, window_,
                                reinterpret_cast<HMENU>(IDC_AUTOSTART), nullptr, nullptr);
    list_ = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT | LVS_SORTASCENDING, 0, 30, 300, 200, window_,
                            reinterpret_cast<HMENU>(IDC_DRIVE_LIST), nullptr, nullptr);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 200;
    SendMessageW(list_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    g_hwndMain = window_;
}

ControlHost::~ControlHost()
{
    g_hwndMain = nullptr;
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    DestroyWindow(window_);
}

void ControlHost::SetChecked(bool checked)
{
    SendMessageW(checkBox_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool ControlHost::Checked() const
{
    return SendMessageW(checkBox_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ControlHost::AddRow(wchar_t letter, const std::wstring& directory, DriveState state)
{
    records_.push_back(DriveRecord{letter, {}, state});
    DriveRecord& record = records_.back();
    directory.copy(record.directory, kRecordDirectoryCapacity - 1);
    wchar_t text[3] = {letter, L':', 0};
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = RowCount();
    item.pszText = text;
    item.lParam = reinterpret_cast<LPARAM>(&record);
    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ControlHost::AddRowWithoutRecord(wchar_t letter)
{
    wchar_t text[3] = {letter, L':', 0};
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = RowCount();
    item.pszText = text;
    item.lParam = 0;
    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int ControlHost::RowCount() const
{
    return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
}
