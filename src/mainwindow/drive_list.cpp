// The drive list: rows that mirror the system's virtual drives.
#include "mainwindow/drive_list.h"

#include "core/app_globals.h"
#include "core/bounded_string.h"
#include "core/drive_letter.h"
#include "core/raw_target.h"
#include "core/virtual_drive.h"
#include "mainwindow/dialog_rules.h"
#include "mainwindow/saved_drive_rows.h"
#include "res/resource.h"

namespace {

constexpr int kStateTextCapacity = 64;

HWND DriveList()
{
    return GetDlgItem(g_hwndMain, IDC_DRIVE_LIST);
}

DriveRecord* RecordOfRow(HWND list, int row)
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<DriveRecord*>(item.lParam);
}

int RowCount(HWND list)
{
    return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

int FindRowOfLetter(HWND list, wchar_t letter)
{
    int count = RowCount(list);
    for (int row = 0; row < count; ++row) {
        const DriveRecord* record = RecordOfRow(list, row);
        if (record != nullptr && record->letter == letter)
            return row;
    }
    return -1;
}

// Rows of the letter behind the first one: a letter has one drive, so it has one row. True when
// a row went.
bool DeleteLaterRowsOfLetter(HWND list, wchar_t letter, int firstRow)
{
    bool deleted = false;
    for (int row = RowCount(list) - 1; row > firstRow; --row) {
        const DriveRecord* record = RecordOfRow(list, row);
        if (record != nullptr && record->letter == letter)
            deleted = SendMessageW(list, LVM_DELETEITEM, row, 0) != FALSE || deleted;
    }
    return deleted;
}

// Where a new row of the letter belongs: before the first row of a later letter.
int RowIndexForLetter(HWND list, wchar_t letter)
{
    int count = RowCount(list);
    for (int row = 0; row < count; ++row) {
        const DriveRecord* record = RecordOfRow(list, row);
        if (record != nullptr && record->letter > letter)
            return row;
    }
    return count;
}

// What the letter's row is to show: the virtual drive the letter is, else its saved drive, not
// connected. False when the letter has no row, or the system could not say (*known false).
bool ReadRowOfLetter(wchar_t letter, const DriveRecord* current, DriveRecord* fresh, bool* known)
{
    wchar_t directory[kTargetCapacity];
    DriveQuery query = ReadVirtualDrive(letter, directory, kTargetCapacity);
    *known = query != DriveQuery::Unreadable;
    if (query == DriveQuery::Virtual) {
        FillDriveRecord(fresh, letter, directory);
        // The file system is asked for the long form only when the target's own text is not the row's.
        if (current == nullptr || !SameDriveRecord(*current, *fresh)) {
            ExpandToLongForm(directory, kTargetCapacity);
            FillDriveRecord(fresh, letter, directory);
        }
        return true;
    }
    const wchar_t* saved = SavedDirectoryOf(letter);
    if (!*known || saved == nullptr)
        return false;
    FillDriveRecord(fresh, letter, saved,
                    query == DriveQuery::Foreign ? DriveState::LetterTaken : DriveState::NotConnected);
    return true;
}

// The text of the column that is never shown: screen readers read it as the row's description,
// after the item text, the letter. The directory, and why a drive is not connected.
void SetRowDescription(HWND list, int row, const DriveRecord& record)
{
    constexpr size_t kCapacity = kRecordDirectoryCapacity + kStateTextCapacity;
    wchar_t text[kCapacity];
    CopyBounded(text, kCapacity, record.directory);
    if (record.state != DriveState::Connected) {
        wchar_t state[kStateTextCapacity];
        LoadDriveStateText(record.state, state, kStateTextCapacity);
        AppendBounded(text, kCapacity, L", ");
        AppendBounded(text, kCapacity, state);
    }
    LVITEMW item = {};
    item.iSubItem = 1;
    item.pszText = text;
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

// Brings the row of one letter in line with the system and the saved drives. A row that already
// shows the same is not touched, so a refresh that finds nothing new draws nothing. True when a row
// came or went: the scroll bar may have come or gone with it, and the column must be fitted again.
bool UpdateDriveRow(HWND list, wchar_t letter)
{
    int row = FindRowOfLetter(list, letter);
    bool rowsChanged = row >= 0 && DeleteLaterRowsOfLetter(list, letter, row);

    DriveRecord* record = row >= 0 ? RecordOfRow(list, row) : nullptr;
    DriveRecord fresh;
    bool known = true;
    if (!ReadRowOfLetter(letter, record, &fresh, &known)) {
        // A letter the system could not read out is not known to be gone: its row and saved line stay.
        if (row < 0 || !known)
            return rowsChanged;
        SendMessageW(list, LVM_DELETEITEM, row, 0);
        return true;
    }
    if (record != nullptr && SameDriveRecord(*record, fresh))
        return rowsChanged;
    bool newRecord = record == nullptr;
    if (newRecord) {
        record = static_cast<DriveRecord*>(GlobalAlloc(GMEM_FIXED, sizeof(DriveRecord)));
        if (record == nullptr)
            return rowsChanged;
    }
    *record = fresh;

    wchar_t text[kDeviceNameLength];
    BuildDeviceName(letter, text);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iSubItem = 0;
    item.pszText = text;
    item.iImage = 0;
    item.lParam = reinterpret_cast<LPARAM>(record);
    if (!newRecord) {
        item.iItem = row;
        SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        SetRowDescription(list, row, *record);
        return rowsChanged;
    }
    item.iItem = RowIndexForLetter(list, letter);
    row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) {
        GlobalFree(record);
        return rowsChanged;
    }
    SetRowDescription(list, row, *record);
    return true;
}

// The one rule of the rows' order: by drive letter.
int CALLBACK CompareRecordLetters(LPARAM first, LPARAM second, LPARAM)
{
    return reinterpret_cast<const DriveRecord*>(first)->letter - reinterpret_cast<const DriveRecord*>(second)->letter;
}

}  // namespace

void RefreshDriveEntry(wchar_t letter)
{
    if (g_hwndMain != nullptr && UpdateDriveRow(DriveList(), letter))
        FitListColumn();
}

void RefreshDriveRows(uint32_t letters)
{
    if (g_hwndMain == nullptr)
        return;
    HWND list = DriveList();
    bool rowsChanged = false;
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        if ((letters & LetterBit(letter)) != 0)
            rowsChanged = UpdateDriveRow(list, letter) || rowsChanged;
    }
    if (rowsChanged)
        FitListColumn();
}

void RefreshAllDrives()
{
    RefreshDriveRows(kAllLetters);
}

void FillDriveList()
{
    if (g_hwndMain == nullptr)
        return;
    HWND list = DriveList();
    // Nothing is on screen yet: the list need not redraw after each row it gains.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter)
        UpdateDriveRow(list, letter);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    // Only now does the list take its scroll bar into account, which narrows the column's room.
    FitListColumn();
}

void LoadDriveStateText(DriveState state, wchar_t* text, int capacity)
{
    text[0] = L'\0';
    LoadStringW(g_hInstance, state == DriveState::LetterTaken ? IDS_STATE_LETTER_TAKEN : IDS_STATE_NOT_CONNECTED, text,
                capacity);
}

void OnDriveRowDeleted(const NMLISTVIEW* deletion)
{
    auto* record = reinterpret_cast<DriveRecord*>(deletion->lParam);
    if (record != nullptr)
        GlobalFree(record);
}

int DriveRowCount()
{
    return g_hwndMain != nullptr ? RowCount(DriveList()) : 0;
}

const DriveRecord* DriveRowRecord(int row)
{
    return g_hwndMain != nullptr ? RecordOfRow(DriveList(), row) : nullptr;
}

DriveRecord* SelectedRecord(int* row)
{
    int selected = -1;
    DriveRecord* record = nullptr;
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
    const DriveRecord* record = SelectedRecord();
    return record != nullptr ? record->letter : 0;
}

int FindDriveRow(wchar_t letter)
{
    return g_hwndMain != nullptr ? FindRowOfLetter(DriveList(), letter) : -1;
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
    int count = RowCount(list);
    int row = 0;
    while (row < count - 1) {
        const DriveRecord* record = RecordOfRow(list, row);
        if (record != nullptr && record->letter > letter)
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
    int row = FindDriveRow(from);
    RecordOfRow(list, row)->letter = to;
    wchar_t text[kDeviceNameLength];
    BuildDeviceName(to, text);
    LVITEMW item = {};
    item.pszText = text;
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    SortDriveRows();
}

void SortDriveRows()
{
    if (g_hwndMain == nullptr)
        return;
    // The sort keeps each row with its record and its selection.
    SendMessageW(DriveList(), LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(CompareRecordLetters));
}
