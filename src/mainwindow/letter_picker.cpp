// The letter picker, and the path box, combo and buttons kept in step with the selected row.
#include "mainwindow/letter_picker.h"

#include "core/app_globals.h"
#include "mainwindow/dialog_rules.h"
#include "mainwindow/drive_list.h"
#include "mainwindow/toolbars.h"
#include "res/resource.h"

namespace {

HWND LetterCombo()
{
    return GetDlgItem(g_hwndMain, IDC_LETTER_COMBO);
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

wchar_t ComboItemLetter(HWND combo, LRESULT index)
{
    return static_cast<wchar_t>(SendMessageW(combo, CB_GETITEMDATA, index, 0) & 0xFFFF);
}

void AddComboLetter(HWND combo, wchar_t letter)
{
    wchar_t text[4];
    BuildComboText(letter, text);
    LRESULT index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (index >= 0)
        SendMessageW(combo, CB_SETITEMDATA, index, letter);
}

void ShowSelectedRecord(const DriveRecord* record)
{
    ApplyToolbarStates(StatesForSelection(true, record->state == DriveState::Connected));
    SetDlgItemTextW(g_hwndMain, IDC_PATH_EDIT, record->directory);
    FillLetterCombo(record->letter, record->letter);
}

void ShowNoSelection()
{
    ApplyToolbarStates(StatesForSelection(false));
    SetDlgItemTextW(g_hwndMain, IDC_PATH_EDIT, L"");
    FillLetterCombo(0, 0);
}

}  // namespace

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
    // The combo sorts what it adds.
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        if (edit.add & LetterBit(letter))
            AddComboLetter(combo, letter);
    }
    // A selection that is already there is not set again: that would redraw the combo.
    if (edit.changeSelection && ChosenLetter() != edit.select)
        SendMessageW(combo, CB_SETCURSEL, FindComboLetter(combo, edit.select), 0);
}

wchar_t ChosenLetter()
{
    if (g_hwndMain == nullptr)
        return 0;
    HWND combo = LetterCombo();
    LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return index != CB_ERR ? ComboItemLetter(combo, index) : 0;
}

void PickHighestFreeLetter()
{
    if (g_hwndMain == nullptr)
        return;
    HWND combo = LetterCombo();
    for (LRESULT index = SendMessageW(combo, CB_GETCOUNT, 0, 0) - 1; index >= 0; --index) {
        if (FindDriveRow(ComboItemLetter(combo, index)) < 0) {
            SendMessageW(combo, CB_SETCURSEL, index, 0);
            return;
        }
    }
}

void PickTypedLetter(wchar_t letter)
{
    if (g_hwndMain == nullptr)
        return;
    HWND combo = LetterCombo();
    int index = FindComboLetter(combo, letter);
    if (index == CB_ERR)
        return;
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    if (SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0))
        return;
    SendMessageW(g_hwndMain, WM_COMMAND, MAKEWPARAM(IDC_LETTER_COMBO, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
    SendMessageW(g_hwndMain, WM_COMMAND, MAKEWPARAM(IDC_LETTER_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void SyncSelection()
{
    if (g_hwndMain == nullptr)
        return;
    int row = -1;
    const DriveRecord* record = SelectedRecord(&row);
    if (row >= 0)
        SendDlgItemMessageW(g_hwndMain, IDC_DRIVE_LIST, LVM_REDRAWITEMS, row, row);
    if (record != nullptr)
        ShowSelectedRecord(record);
    else
        ShowNoSelection();
}

void OnDriveSelectionChanged(const NMLISTVIEW* change)
{
    // A change of focus or of the hidden check box alone must not reset what the user entered.
    if ((change->uChanged & LVIF_STATE) == 0 || ((change->uOldState ^ change->uNewState) & LVIS_SELECTED) == 0)
        return;
    const auto* record = reinterpret_cast<const DriveRecord*>(change->lParam);
    if ((change->uNewState & LVIS_SELECTED) != 0) {
        if (record != nullptr)
            ShowSelectedRecord(record);
        else
            ShowNoSelection();
        return;
    }
    ShowNoSelection();
    // The combo showed the drive's own letter; without the row it stands for nothing.
    if (record != nullptr && ChosenLetter() == record->letter)
        SendMessageW(LetterCombo(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}
