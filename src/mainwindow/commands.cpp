// The dialog's commands.
#include "mainwindow/commands.h"

#include <commctrl.h>

#include "core/bounded_string.h"
#include "core/messages.h"
#include "core/virtual_drive.h"
#include "controls/folder_picker.h"
#include "mainwindow/button_rules.h"
#include "mainwindow/drive_list.h"
#include "mainwindow/drive_record.h"
#include "mainwindow/toolbars.h"
#include "persistence/autostart.h"
#include "persistence/settings_file.h"
#include "res/resource.h"

namespace {

constexpr int kPathCapacity = 1024;
constexpr UINT kCodeClicked = 0;
constexpr UINT kCodeAccelerator = 1;

const wchar_t kBrowseTitle[] = L"Select a directory to be associated with a virtual drive.";

bool IsCommandLetter(wchar_t letter)
{
    return letter >= L'A' && letter <= L'Z';
}

// The letter picked in the combo and the directory in the path box, for Save and New; false
// when one is missing (nothing is said) or the directory does not exist (that is reported).
// Nested message loops run while a box is shown, so the command ends right after showing one.
bool ReadDriveInputs(HWND dialog, wchar_t* letter, wchar_t (&path)[kPathCapacity])
{
    *letter = ChosenLetter();
    if (!IsCommandLetter(*letter) || GetDlgItemTextW(dialog, IDC_PATH_EDIT, path, kPathCapacity) == 0)
        return false;
    if (IsDirectory(path))
        return true;
    ShowError(L"Invalid path: %s", path);
    return false;
}

void SelectRowAt(HWND list, int row)
{
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

int CALLBACK CompareRecordLetters(LPARAM first, LPARAM second, LPARAM)
{
    return reinterpret_cast<const wchar_t*>(first)[0] - reinterpret_cast<const wchar_t*>(second)[0];
}

void OnClose(HWND dialog)
{
    if (!SaveSettings())
        ShowError(L"Failed to save settings to Morvex.ini.\r\nCheck your access rights.");
    EndDialog(dialog, 1);
}

void OnAutoStart(HWND dialog)
{
    SetAutoStart(IsDlgButtonChecked(dialog, IDC_AUTOSTART) == BST_CHECKED);
}

void OnRemove(HWND dialog)
{
    int row = -1;
    const wchar_t* record = SelectedRecord(&row);
    if (record == nullptr || !SetVirtualDrive(record[0], nullptr))
        return;
    HWND list = GetDlgItem(dialog, IDC_DRIVE_LIST);
    SendMessageW(list, LVM_DELETEITEM, row, 0);
    int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    if (count == 0)
        return;
    if (row > count - 1)
        row = count - 1;
    SelectRowAt(list, row);
    SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
}

void OnSave(HWND dialog)
{
    int row = -1;
    wchar_t* record = SelectedRecord(&row);
    wchar_t letter = 0;
    wchar_t path[kPathCapacity];
    if (record == nullptr || !ReadDriveInputs(dialog, &letter, path))
        return;

    // Copies, because a box shown below lets a refresh free the record.
    wchar_t oldLetter = record[0];
    wchar_t oldDirectory[kDriveRecordUnits];
    CopyBounded(oldDirectory, kDriveRecordUnits, record + 1);
    if (!SetVirtualDrive(oldLetter, nullptr))
        return;
    if (!SetVirtualDrive(letter, path)) {
        // The user keeps the drive they had, and the list shows what the system has.
        SetVirtualDrive(oldLetter, oldDirectory);
        RefreshDriveEntry(oldLetter);
        RefreshDriveEntry(letter);
        return;
    }
    record[0] = letter;
    HWND list = GetDlgItem(dialog, IDC_DRIVE_LIST);
    SendMessageW(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(CompareRecordLetters));
    RefreshDriveEntry(letter);
    SyncSelection();
}

void OnNew(HWND dialog)
{
    wchar_t letter = 0;
    wchar_t path[kPathCapacity];
    if (!ReadDriveInputs(dialog, &letter, path) || !SetVirtualDrive(letter, path))
        return;
    RefreshDriveEntry(letter);
    SendDlgItemMessageW(dialog, IDC_LETTER_COMBO, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetDlgItemTextW(dialog, IDC_PATH_EDIT, L"");
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    SendDlgItemMessageW(dialog, IDC_DRIVE_LIST, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(&item));
}

void OnBrowse(HWND dialog)
{
    wchar_t path[MAX_PATH];
    GetDlgItemTextW(dialog, IDC_PATH_EDIT, path, MAX_PATH);
    if (lstrlenW(path) == 0)
        CopyBounded(path, MAX_PATH, L"C:\\");
    if (!BrowseForFolder(dialog, kBrowseTitle, path))
        return;
    AddTrailingBackslash(path, MAX_PATH);
    SetDlgItemTextW(dialog, IDC_PATH_EDIT, path);
}

void OnLetterPicked()
{
    int row = -1;
    const wchar_t* record = SelectedRecord(&row);
    wchar_t recordLetter = record != nullptr ? record[0] : 0;
    ApplyToolbarStates(StatesForLetterPick(recordLetter, record != nullptr ? ChosenLetter() : 0));
}

}  // namespace

void OnCommand(HWND dialog, int id, HWND, UINT code)
{
    if (code == CBN_SELENDOK && id == IDC_LETTER_COMBO) {
        OnLetterPicked();
        return;
    }
    if (code != kCodeClicked && code != kCodeAccelerator)
        return;
    switch (id) {
    case IDC_CLOSE:
        OnClose(dialog);
        break;
    case IDC_AUTOSTART:
        OnAutoStart(dialog);
        break;
    case IDM_REMOVE:
        OnRemove(dialog);
        break;
    case IDM_SAVE:
        OnSave(dialog);
        break;
    case IDM_NEW:
        OnNew(dialog);
        break;
    case IDM_BROWSE:
        OnBrowse(dialog);
        break;
    default:
        break;
    }
}
