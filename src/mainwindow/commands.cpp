// The dialog's commands.
#include "mainwindow/commands.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "core/app_globals.h"
#include "core/bounded_string.h"
#include "core/desktop_mirror.h"
#include "core/desktop_rules.h"
#include "core/logon_path.h"
#include "core/drive_letter.h"
#include "core/messages.h"
#include "core/virtual_drive.h"
#include "controls/folder_picker.h"
#include "mainwindow/dialog_rules.h"
#include "mainwindow/drive_list.h"
#include "mainwindow/saved_drive_rows.h"
#include "mainwindow/letter_picker.h"
#include "mainwindow/toolbars.h"
#include "persistence/autostart.h"
#include "persistence/settings_file.h"
#include "res/resource.h"

bool g_pathCompletionPending = false;
bool g_offerForAdministrators = false;

namespace {

constexpr int kPathCapacity = 1024;
constexpr int kTitleCapacity = 256;
constexpr UINT kCodeClicked = 0;
constexpr UINT kCodeAccelerator = 1;

// The letter picked in the combo and the directory in the path box, for Save and New; false
// when one is missing (nothing is said), or the letter is held by another device, or the
// directory does not exist or lies on the drive being mapped or on the one being moved away
// (that is reported). Nested message loops run while
// a box is shown, so the command ends right after showing one.
bool ReadDriveInputs(HWND dialog, wchar_t movedLetter, wchar_t* letter, wchar_t (&path)[kPathCapacity])
{
    *letter = ChosenLetter();
    if (!IsUpperDriveLetter(*letter) || GetDlgItemTextW(dialog, IDC_PATH_EDIT, path, kPathCapacity) == 0)
        return false;
    if (IsHeldByDevice(*letter)) {
        ShowError(IDS_LETTER_TAKEN, *letter, path);
        return false;
    }
    if (IsDirectory(path) && !LiesOnDrive(*letter, path) && (movedLetter == 0 || !LiesOnDrive(movedLetter, path)))
        return true;
    ShowError(IDS_INVALID_PATH, path);
    return false;
}

void OnClose(HWND dialog)
{
    if (!SaveSettings())
        ShowError(IDS_SAVE_FAILED);
    EndDialog(dialog, 1);
}

// A tick is the user asking for autostart now, also where Windows' startup manager switched it off.
void OnAutoStart(HWND dialog)
{
    bool checked = IsDlgButtonChecked(dialog, IDC_AUTOSTART) == BST_CHECKED;
    SetAutoStart(checked);
    if (checked)
        ClearAutoStartDisabledMark();
}

// A command holds letters and directories, never a row or its record, across every call that
// may run a message loop (a definition may announce itself, a box runs its own loop): the list
// may be rebuilt during such a call, and the command finds its row again by its letter.
// A saved drive that is not connected is forgotten and nothing in the system changes.
void OnRemove()
{
    const DriveRecord* record = SelectedRecord();
    if (record == nullptr)
        return;
    wchar_t letter = record->letter;
    if (record->state == DriveState::Connected) {
        if (!SetVirtualDrive(letter, nullptr))
            return;
        MirrorDriveToDesktop(letter, nullptr);
    }
    ForgetSavedDrive(letter);
    RefreshDriveEntry(letter);
    SelectRowAfterLetter(letter);
}

void OnSave(HWND dialog)
{
    const DriveRecord* record = SelectedRecord();
    if (record == nullptr)
        return;
    wchar_t oldLetter = record->letter;
    bool connected = record->state == DriveState::Connected;
    wchar_t oldDirectory[kRecordDirectoryCapacity];
    CopyBounded(oldDirectory, kRecordDirectoryCapacity, record->directory);
    wchar_t letter = 0;
    wchar_t path[kPathCapacity];
    if (!ReadDriveInputs(dialog, connected ? oldLetter : 0, &letter, path))
        return;

    // A drive that is not connected has no mapping to take away, and keeps its row if this fails.
    if (connected && !SetVirtualDrive(oldLetter, nullptr))
        return;
    if (!SetVirtualDrive(letter, path)) {
        // The user keeps the drive they had, and the list shows what the system has.
        if (connected)
            SetVirtualDrive(oldLetter, oldDirectory);
        RefreshDriveEntry(oldLetter);
        RefreshDriveEntry(letter);
        if (SelectedLetter() == 0)
            SelectDriveRow(FindDriveRow(oldLetter));
        return;
    }
    if (connected && letter != oldLetter)
        MirrorDriveToDesktop(oldLetter, nullptr);
    MirrorDriveToDesktop(letter, path);
    // A drive moved to another letter leaves its saved line behind.
    if (letter != oldLetter)
        ForgetSavedDrive(oldLetter);
    // The same row follows the drive to its new letter, unless a refresh has already replaced it.
    MoveDriveRow(oldLetter, letter);
    RefreshDriveEntry(oldLetter);
    RefreshDriveEntry(letter);
    if (SelectedLetter() != letter)
        SelectDriveRow(FindDriveRow(letter));
    SyncSelection();
}

void OnNew(HWND dialog)
{
    wchar_t letter = 0;
    wchar_t path[kPathCapacity];
    if (!ReadDriveInputs(dialog, 0, &letter, path) || !SetVirtualDrive(letter, path))
        return;
    MirrorDriveToDesktop(letter, path);
    RefreshDriveEntry(letter);
    SendDlgItemMessageW(dialog, IDC_LETTER_COMBO, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetDlgItemTextW(dialog, IDC_PATH_EDIT, L"");
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    SendDlgItemMessageW(dialog, IDC_DRIVE_LIST, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(&item));
}

// A directory the user chose, by the folder picker or a drop, in the form the rows show.
void FillPathBox(HWND dialog, wchar_t* path, size_t capacity)
{
    AddTrailingBackslash(path, capacity);
    SetDlgItemTextW(dialog, IDC_PATH_EDIT, path);
}

void OnBrowse(HWND dialog)
{
    wchar_t path[MAX_PATH];
    GetDlgItemTextW(dialog, IDC_PATH_EDIT, path, MAX_PATH);
    if (path[0] == L'\0')
        CopyBounded(path, MAX_PATH, L"C:\\");
    wchar_t title[kTitleCapacity] = L"";
    LoadStringW(g_hInstance, IDS_BROWSE_TITLE, title, kTitleCapacity);
    if (BrowseForFolder(dialog, title, path))
        FillPathBox(dialog, path, MAX_PATH);
}

// The root of a connected drive in Explorer; a saved drive that is not connected has none.
void OnOpen(HWND dialog)
{
    const DriveRecord* record = SelectedRecord();
    if (record == nullptr || record->state != DriveState::Connected)
        return;
    const wchar_t root[] = {record->letter, L':', L'\\', L'\0'};
    // Above 32 the shell accepted it.
    if (reinterpret_cast<INT_PTR>(ShellExecuteW(dialog, L"open", root, nullptr, nullptr, SW_SHOWNORMAL)) <= 32)
        MessageBeep(MB_OK);
}

// Once per dialog, when the path box first gets the focus: before any key can reach it.
void OnPathBoxFocused(HWND dialog)
{
    if (!g_pathCompletionPending)
        return;
    g_pathCompletionPending = false;
    SHAutoComplete(GetDlgItem(dialog, IDC_PATH_EDIT), SHACF_FILESYS_DIRS);
}

// One consent, and programs run as administrator see the drives: the list saved as Close saves
// it, then an elevated log-on run of it. A declined consent changes nothing and says nothing.
void OnForAdministrators(HWND dialog)
{
    if (!SaveSettings()) {
        ShowError(IDS_SAVE_FAILED);
        return;
    }
    wchar_t program[kPathCapacity];
    SHELLEXECUTEINFOW run = {};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_FLAG_NO_UI;
    run.hwnd = dialog;
    run.lpVerb = L"runas";
    run.lpFile = program;
    run.lpParameters = kQuietStartupArguments;
    run.nShow = SW_SHOWNORMAL;
    if (LogonPathOfExecutable(program, kPathCapacity) == 0 ||
        (!ShellExecuteExW(&run) && GetLastError() != ERROR_CANCELLED))
        ShowError(IDS_ELEVATION_FAILED);
}

void OnLetterPicked()
{
    // New maps a drive that is not connected on any letter, its own included.
    const DriveRecord* record = SelectedRecord();
    wchar_t recordLetter = record != nullptr && record->state == DriveState::Connected ? record->letter : 0;
    ApplyToolbarStates(StatesForLetterPick(recordLetter, recordLetter != 0 ? ChosenLetter() : 0));
}

}  // namespace

void OnCommand(HWND dialog, int id, HWND, UINT code)
{
    if (code == CBN_SELENDOK && id == IDC_LETTER_COMBO) {
        OnLetterPicked();
        return;
    }
    if (code == EN_SETFOCUS && id == IDC_PATH_EDIT) {
        OnPathBoxFocused(dialog);
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
        OnRemove();
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
    case IDM_OPEN:
        OnOpen(dialog);
        break;
    case IDM_FOR_ADMINISTRATORS:
        if (g_offerForAdministrators)
            OnForAdministrators(dialog);
        break;
    default:
        break;
    }
}

void OnDropFiles(HWND dialog, HDROP drop)
{
    wchar_t path[kPathCapacity];
    bool oneFolder = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 1 &&
                     DragQueryFileW(drop, 0, path, kPathCapacity) != 0 && IsDirectory(path);
    DragFinish(drop);
    if (!oneFolder) {
        MessageBeep(MB_OK);
        return;
    }
    FillPathBox(dialog, path, kPathCapacity);
    if (ChosenLetter() == 0)
        PickHighestFreeLetter();
}
