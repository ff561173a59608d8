// Rules of the dialog that do not need the window system: the record each list row owns, the
// text of a row's directory line, which letters the combo offers, when the toolbar's buttons
// are enabled and which one is hot, and when the dialog paints in the system's colours.
#pragma once
#include <cstddef>
#include <cstdint>

// --- The drive record

constexpr size_t kRecordDirectoryCapacity = 1024;

// Connected: the letter is a virtual drive now. The others are saved drives that are not: their
// letter is free, or held by another device.
enum class DriveState : wchar_t { Connected, NotConnected, LetterTaken };

// The heap block each list row owns as its item data: the drive letter, then the NUL-terminated
// directory in the form the list shows (a saved drive's as saved), then its state.
struct DriveRecord {
    wchar_t letter;
    wchar_t directory[kRecordDirectoryCapacity];
    DriveState state;
};

// Directories shorter than this get a trailing backslash; longer ones are kept as they are.
constexpr size_t kBackslashLimit = 259;

// Appends a backslash to the directory in text (capacity units) when it is shorter than
// kBackslashLimit and does not end in one already.
void AddTrailingBackslash(wchar_t* text, size_t capacity);

// Stores letter, directory and state into the record: the directory cut to fit, its first unit
// upper-cased, and a backslash appended when it is missing and the directory is shorter than
// 259 units.
void FillDriveRecord(DriveRecord* record, wchar_t letter, const wchar_t* directory,
                     DriveState state = DriveState::Connected);

// True when both records hold the same letter, directory and state.
bool SameDriveRecord(const DriveRecord& first, const DriveRecord& second);

// Removes the directory's trailing backslash, except from a drive root such as "C:\", for the
// row's directory line. That line shortens a too-wide directory in its middle and keeps what
// follows the last backslash; a directory ending in one would keep nothing of its last folder.
void DropTrailingBackslash(wchar_t* directory);

// --- The letter combo. Masks hold one bit per letter, bit 0 for A.

struct LetterComboEdit {
    uint32_t remove;        // present in the combo but in use, the kept letter excepted; applied first
    uint32_t add;           // free but missing, and the kept letter when missing after the removals
    bool changeSelection;   // false: the selection is left as it is
    wchar_t select;         // letter to select when changeSelection; 0 clears it
};

uint32_t LetterBit(wchar_t letter);
constexpr uint32_t kAllLetters = (1u << 26) - 1;

// Which letters the combo must lose, gain and select. usedLetters from the system, presentLetters
// already in the combo. keepLetter is offered even though it is in use; selectLetter is selected.
// 0, or anything outside 'A'..'Z', means none.
LetterComboEdit PlanLetterCombo(uint32_t usedLetters, uint32_t presentLetters, wchar_t keepLetter,
                                wchar_t selectLetter);

// --- The main toolbar's Remove, Save and New buttons (Browse is never disabled)

enum class ButtonState { Unchanged, Enabled, Disabled };

struct ToolbarStates {
    ButtonState remove;
    ButtonState save;
    ButtonState create;
};

// Fresh toolbars: nothing selected yet, so only New.
ToolbarStates StatesAtCreation();

// A row became selected (with its record), or the selection was lost or has no record. New stays
// offered for a saved drive that is not connected: it maps the drive as Save does.
ToolbarStates StatesForSelection(bool selectedRowWithRecord, bool connected = true);

// The user picked a letter in the combo. recordLetter is the selected row's letter (0 when no
// row with a record is selected), pickedLetter the pick (0 when the combo has none).
ToolbarStates StatesForLetterPick(wchar_t recordLetter, wchar_t pickedLetter);

// The button that becomes hot when the toolbar has the focus: the first enabled one after
// `from` in steps of `step` (+1 right or down, -1 left or up), wrapping round. `from` -1 starts
// before the first button for +1 and after the last for -1. -1 when no button is enabled.
int NextHotButton(const bool* enabled, int count, int from, int step);

// --- Colours

// Whether the dialog paints its own parts (list, rows, link) in the system's colours instead of
// its fixed ones: under High Contrast, and whenever the window colours are not black text on
// white, which is how a contrast theme shows itself where the flag cannot be read (Wine always
// reports it off). Colours as 0x00BBGGRR.
bool UseSystemColours(bool highContrast, uint32_t windowColour, uint32_t windowTextColour);
