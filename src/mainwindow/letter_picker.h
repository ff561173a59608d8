// The letter picker: the free letters in the combo, and the path box, combo and buttons of the
// main toolbar kept in step with the drive list's selected row. Everything here does nothing
// while the main dialog does not exist.
#pragma once
#include <windows.h>
#include <commctrl.h>

// Rebuilds the free letters of the combo; keepLetter is offered although in use,
// selectLetter is selected. 0 means none for either.
void FillLetterCombo(wchar_t keepLetter, wchar_t selectLetter);

// The letter picked in the combo (its item data), 0 when nothing is picked.
wchar_t ChosenLetter();

// A letter typed into the combo: selects it when it is offered. A closed combo then reports the
// pick to the dialog as a pick with the arrow keys does; an open one reports it when it closes.
void PickTypedLetter(wchar_t letter);

// Picks the highest letter offered that no row stands for (a saved drive keeps its letter while
// not mapped); nothing when every offered letter has a row.
void PickHighestFreeLetter();

// Path box, combo and the main toolbar's buttons from the selected row.
void SyncSelection();

// LVN_ITEMCHANGED of the drive list: only a change of a row's selection counts.
void OnDriveSelectionChanged(const NMLISTVIEW* change);
