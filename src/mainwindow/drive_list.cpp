// The drive list and the letter picker.
#include "mainwindow/drive_list.h"

#include "core/app_globals.h"
#include "core/drive_letter.h"
#include "core/raw_target.h"
#include "core/virtual_drive.h"
#include "controls/dpi_rules.h"
#include "mainwindow/button_rules.h"
#include "mainwindow/drive_record.h"
#include "mainwindow/letter_plan.h"
#include "mainwindow/row_geometry.h"
#include "mainwindow/toolbars.h"
#include "res/resource.h"

HFONT g_hBoldFont = nullptr;
HIMAGELIST g_himlDriveList = nullptr;

namespace {

constexpr DWORD kListExtendedStyle = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_UNDERLINEHOT | LVS_EX_LABELTIP;

HWND DriveList()
{
    return GetDlgItem(g_hwndMain, IDC_DRIVE_LIST);
}

HWND LetterCombo()
{
    return GetDlgItem(g_hwndMain, IDC_LETTER_COMBO);
}

wchar_t* RecordOfRow(HWND list, int row)
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<wchar_t*>(item.lParam);
}

// The row whose record carries the letter (-1 when none), and where a new row for the letter
// belongs: before the first row of a later letter.
int FindRowOfLetter(HWND list, wchar_t letter, wchar_t** record, int* insertAt)
{
    int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    *insertAt = count;
    for (int row = 0; row < count; ++row) {
        wchar_t* rowRecord = RecordOfRow(list, row);
        if (rowRecord == nullptr)
            continue;
        if (rowRecord[0] == letter) {
            *record = rowRecord;
            return row;
        }
        if (rowRecord[0] > letter && *insertAt == count)
            *insertAt = row;
    }
    *record = nullptr;
    return -1;
}

// Rows of the letter behind the first one: a letter has one drive, so it has one row.
void DeleteLaterRowsOfLetter(HWND list, wchar_t letter, int firstRow)
{
    int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = count - 1; row > firstRow; --row) {
        const wchar_t* record = RecordOfRow(list, row);
        if (record != nullptr && record[0] == letter)
            SendMessageW(list, LVM_DELETEITEM, row, 0);
    }
}

int CALLBACK CompareRecordLetters(LPARAM first, LPARAM second, LPARAM)
{
    return reinterpret_cast<const wchar_t*>(first)[0] - reinterpret_cast<const wchar_t*>(second)[0];
}

void BuildComboText(wchar_t letter, wchar_t (&text)[4])
{
    text[0] = L' ';
    text[1] = letter;
    text[2] = L':';
    text[3] = L'\0';
}

int FindComboLetter(HWND combo, wchar_t letter)
{
    wchar_t text[4];
    BuildComboText(letter, text);
    return static_cast<int>(SendMessageW(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
}

void AddComboLetter(HWND combo, wchar_t letter)
{
    wchar_t text[4];
    BuildComboText(letter, text);
    LRESULT index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (index >= 0)
        SendMessageW(combo, CB_SETITEMDATA, index, letter);
}

void ShowSelectedRecord(const wchar_t* record)
{
    ApplyToolbarStates(StatesForSelection(true));
    SetDlgItemTextW(g_hwndMain, IDC_PATH_EDIT, record + 1);
    FillLetterCombo(record[0], record[0]);
}

void ShowNoSelection()
{
    ApplyToolbarStates(StatesForSelection(false));
    SetDlgItemTextW(g_hwndMain, IDC_PATH_EDIT, L"");
    FillLetterCombo(0, 0);
}

void OnItemChanged(const NMLISTVIEW* change)
{
    // A change of focus or of the hidden check box alone must not reset what the user entered.
    if ((change->uChanged & LVIF_STATE) == 0 || ((change->uOldState ^ change->uNewState) & LVIS_SELECTED) == 0)
        return;
    const auto* record = reinterpret_cast<const wchar_t*>(change->lParam);
    if ((change->uNewState & LVIS_SELECTED) != 0) {
        if (record != nullptr)
            ShowSelectedRecord(record);
        else
            ShowNoSelection();
    } else if ((change->uOldState & LVIS_SELECTED) != 0) {
        ShowNoSelection();
        // The combo showed the drive's own letter; without the row it stands for nothing.
        if (record != nullptr && ChosenLetter() == record[0])
            SendMessageW(LetterCombo(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
}

// The row height follows the small image list: 44 pixels at 96 DPI at the dialog's DPI, replacing
// (and releasing) the list of an earlier DPI.
void SetRowHeightImages(HWND list)
{
    const int rowHeight = ScaleForDpi(kRowHeight, g_uDpi);
    const int iconSize = ScaleForDpi(kRowIconSize, g_uDpi);
    HIMAGELIST images = ImageList_Create(rowHeight, rowHeight, ILC_COLOR32 | ILC_MASK, 1, 1);
    auto icon = static_cast<HICON>(
        LoadImageW(g_hInstance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, iconSize, iconSize, LR_DEFAULTCOLOR));
    ImageList_ReplaceIcon(images, -1, icon);
    DestroyIcon(icon);
    // The list hands back the list of the earlier DPI; it releases only the one it holds at the end.
    auto previous = reinterpret_cast<HIMAGELIST>(
        SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images)));
    if (previous != nullptr)
        ImageList_Destroy(previous);
    g_himlDriveList = images;
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

void RefreshDriveEntry(wchar_t letter)
{
    if (g_hwndMain == nullptr)
        return;
    HWND list = DriveList();
    wchar_t* record = nullptr;
    int insertAt = 0;
    int row = FindRowOfLetter(list, letter, &record, &insertAt);

    if (row >= 0)
        DeleteLaterRowsOfLetter(list, letter, row);

    wchar_t directory[kTargetCapacity];
    if (!QueryVirtualDrive(letter, directory, kTargetCapacity)) {
        if (row >= 0) {
            SendMessageW(list, LVM_DELETEITEM, row, 0);
            FitListColumn();
        }
        return;
    }

    bool newRecord = record == nullptr;
    if (newRecord) {
        record = static_cast<wchar_t*>(GlobalAlloc(GMEM_FIXED, kDriveRecordUnits * sizeof(wchar_t)));
        if (record == nullptr)
            return;
    }
    FillDriveRecord(record, letter, directory);

    wchar_t text[kDeviceNameLength];
    BuildDeviceName(letter, text);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iSubItem = 0;
    item.pszText = text;
    item.iImage = 0;
    item.lParam = reinterpret_cast<LPARAM>(record);
    if (newRecord) {
        // An owner-drawn list does not sort itself, so the row goes to its letter's place.
        item.iItem = insertAt;
        if (SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) < 0)
            GlobalFree(record);
    } else {
        item.iItem = row;
        SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    FitListColumn();
}

void RefreshAllDrives()
{
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter)
        RefreshDriveEntry(letter);
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

void FillLetterCombo(wchar_t keepLetter, wchar_t selectLetter)
{
    if (g_hwndMain == nullptr)
        return;
    HWND combo = LetterCombo();
    uint32_t present = 0;
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        if (FindComboLetter(combo, letter) != CB_ERR)
            present |= LetterBit(letter);
    }
    LetterComboEdit edit = PlanLetterCombo(GetLogicalDrives(), present, keepLetter, selectLetter);
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        if (edit.remove & LetterBit(letter))
            SendMessageW(combo, CB_DELETESTRING, FindComboLetter(combo, letter), 0);
    }
    // The kept letter may be removed and added back; the combo sorts what it adds.
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        if (edit.add & LetterBit(letter))
            AddComboLetter(combo, letter);
    }
    if (edit.changeSelection)
        SendMessageW(combo, CB_SETCURSEL, FindComboLetter(combo, edit.select), 0);
}

void SyncSelection()
{
    if (g_hwndMain == nullptr)
        return;
    HWND list = DriveList();
    int row = -1;
    const wchar_t* record = SelectedRecord(&row);
    if (row >= 0)
        SendMessageW(list, LVM_REDRAWITEMS, row, row);
    if (record != nullptr)
        ShowSelectedRecord(record);
    else
        ShowNoSelection();
}

void OnDriveListNotify(const NMHDR* header)
{
    switch (header->code) {
    case LVN_ITEMCHANGED:
        OnItemChanged(reinterpret_cast<const NMLISTVIEW*>(header));
        break;
    case LVN_DELETEITEM: {
        auto* record = reinterpret_cast<wchar_t*>(reinterpret_cast<const NMLISTVIEW*>(header)->lParam);
        if (record != nullptr)
            GlobalFree(record);
        break;
    }
    default:
        break;
    }
}

wchar_t* SelectedRecord(int* row)
{
    int selected = -1;
    wchar_t* record = nullptr;
    if (g_hwndMain != nullptr) {
        HWND list = DriveList();
        selected = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        record = RecordOfRow(list, selected);
    }
    if (row != nullptr)
        *row = selected;
    return record;
}

wchar_t SelectedLetter()
{
    const wchar_t* record = SelectedRecord();
    return record != nullptr ? record[0] : 0;
}

int FindDriveRow(wchar_t letter)
{
    if (g_hwndMain == nullptr)
        return -1;
    wchar_t* record = nullptr;
    int insertAt = 0;
    return FindRowOfLetter(DriveList(), letter, &record, &insertAt);
}

void SelectDriveRow(int row)
{
    if (g_hwndMain == nullptr || row < 0)
        return;
    HWND list = DriveList();
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
}

void SelectRowAfterLetter(wchar_t letter)
{
    if (g_hwndMain == nullptr || SelectedLetter() != 0)
        return;
    HWND list = DriveList();
    int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    int row = 0;
    while (row < count - 1) {
        const wchar_t* record = RecordOfRow(list, row);
        if (record != nullptr && record[0] > letter)
            break;
        ++row;
    }
    if (count > 0)
        SelectDriveRow(row);
}

void MoveDriveRow(wchar_t from, wchar_t to)
{
    if (g_hwndMain == nullptr || from == to || FindDriveRow(from) < 0)
        return;
    HWND list = DriveList();
    for (int stale = FindDriveRow(to); stale >= 0; stale = FindDriveRow(to))
        SendMessageW(list, LVM_DELETEITEM, stale, 0);
    RecordOfRow(list, FindDriveRow(from))[0] = to;
    SortDriveRows();
}

void SortDriveRows()
{
    if (g_hwndMain == nullptr)
        return;
    // The sort keeps each row with its record and its selection.
    SendMessageW(DriveList(), LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(CompareRecordLetters));
}

wchar_t ChosenLetter()
{
    if (g_hwndMain == nullptr)
        return 0;
    HWND combo = LetterCombo();
    LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return 0;
    return static_cast<wchar_t>(SendMessageW(combo, CB_GETITEMDATA, index, 0) & 0xFFFF);
}
