// The drive list and the letter picker: rows that mirror the system's virtual drives,
// the free letters in the combo, and the path box, combo and buttons kept in step with
// the selected row. Everything here does nothing while the main dialog does not exist.
#pragma once
#include <windows.h>
#include <commctrl.h>

// Bold copy of the list's font for the row titles; null when it could not be made.
extern HFONT g_hBoldFont;

// Image list that only gives the rows their height.
extern HIMAGELIST g_himlDriveList;

// Once, at dialog start: list styles, row height, background, the column and g_hBoldFont.
void ConfigureDriveList();

// Brings the row of one letter in line with the system: insert, update or delete.
void RefreshDriveEntry(wchar_t letter);

// RefreshDriveEntry for 'A' through 'Z'.
void RefreshAllDrives();

// Column 0 as wide as the list's client area minus one pixel.
void FitListColumn();

// Rebuilds the free letters of the combo; keepLetter is offered although in use,
// selectLetter is selected. 0 means none for either.
void FillLetterCombo(wchar_t keepLetter, wchar_t selectLetter);

// Path box, combo and the main toolbar's buttons from the selected row.
void SyncSelection();

// LVN_ITEMCHANGED and LVN_DELETEITEM of IDC_DRIVE_LIST.
void OnDriveListNotify(const NMHDR* header);

// The selected row's DriveRecord, or null when no row is selected or it has none; *row
// receives the selected index or -1.
wchar_t* SelectedRecord(int* row);

// The letter picked in the combo (its item data), 0 when nothing is picked.
wchar_t ChosenLetter();
