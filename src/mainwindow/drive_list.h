// The drive list: rows that mirror the system's virtual drives, and the saved drives that are not
// mapped now, in letter order, each owning its DriveRecord. Everything here does nothing while the main dialog does not exist.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "mainwindow/dialog_rules.h"
#include "mainwindow/drive_list_setup.h"

// Brings the row of one letter in line with the system and the saved drives: insert, update or
// delete. A letter is left with one row at most.
void RefreshDriveEntry(wchar_t letter);

// RefreshDriveEntry for each letter of the set (bit 0 for 'A'), the column fitted once at the end.
void RefreshDriveRows(uint32_t letters);
// RefreshDriveRows for 'A' through 'Z'.
void RefreshAllDrives();

// The same at dialog start, before the list is on screen.
void FillDriveList();


// "not connected" or "letter in use by another drive" in the user's language, for a drive that
// is not connected.
void LoadDriveStateText(DriveState state, wchar_t* text, int capacity);

// LVN_DELETEITEM: whatever deleted the row, its record goes with it.
void OnDriveRowDeleted(const NMLISTVIEW* deletion);

// The rows and the record of one row (null when it has none), in the list's order.
int DriveRowCount();
const DriveRecord* DriveRowRecord(int row);

// The selected row's DriveRecord, or null when no row is selected or it has none; *row, when
// asked for, receives the selected index or -1.
DriveRecord* SelectedRecord(int* row = nullptr);

// The selected row's drive letter, 0 when no row with a record is selected.
wchar_t SelectedLetter();

// The row that shows the letter, -1 when none does.
int FindDriveRow(wchar_t letter);

// Selects the row (nothing for -1) and scrolls it into view.
void SelectDriveRow(int row);

// When no row is selected: selects the first row of a later letter than the one given, or the
// last row. Used after a removal, so the row that took the removed one's place is selected.
void SelectRowAfterLetter(wchar_t letter);

// Gives the row of `from` to `to` in place, with its record and selection, after dropping any
// stale row of `to`; the rows are then put back in letter order. Nothing when `from` has no row.
void MoveDriveRow(wchar_t from, wchar_t to);

// Puts the rows in letter order; an owner-drawn list does not sort itself.
void SortDriveRows();
