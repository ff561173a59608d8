// Rules of the dialog that do not need the window system.
#include "mainwindow/dialog_rules.h"

#include <cwchar>

#include "core/bounded_string.h"
#include "core/drive_letter.h"

void AddTrailingBackslash(wchar_t* text, size_t capacity)
{
    size_t length = BoundedLength(text, capacity);
    if (length < kBackslashLimit && length + 1 < capacity && (length == 0 || text[length - 1] != L'\\')) {
        text[length] = L'\\';
        text[length + 1] = L'\0';
    }
}

void FillDriveRecord(DriveRecord* record, wchar_t letter, const wchar_t* directory, DriveState state)
{
    record->letter = letter;
    record->state = state;
    CopyBounded(record->directory, kRecordDirectoryCapacity, directory);
    AddTrailingBackslash(record->directory, kRecordDirectoryCapacity);
    record->directory[0] = NormalizeDriveLetter(record->directory[0]);
}

bool SameDriveRecord(const DriveRecord& first, const DriveRecord& second)
{
    if (first.letter != second.letter || first.state != second.state)
        return false;
    for (size_t i = 0; i < kRecordDirectoryCapacity; ++i) {
        if (first.directory[i] != second.directory[i])
            return false;
        if (first.directory[i] == L'\0')
            return true;
    }
    return true;
}

void DropTrailingBackslash(wchar_t* directory)
{
    size_t length = std::wcslen(directory);
    // "C:\" stays whole: "C:" alone would read as the current directory of drive C.
    if (length > 3 && directory[length - 1] == L'\\')
        directory[length - 1] = L'\0';
}

uint32_t LetterBit(wchar_t letter)
{
    return IsUpperDriveLetter(letter) ? 1u << (letter - L'A') : 0;
}

LetterComboEdit PlanLetterCombo(uint32_t usedLetters, uint32_t presentLetters, wchar_t keepLetter,
                                wchar_t selectLetter)
{
    LetterComboEdit edit = {};
    usedLetters &= kAllLetters;
    presentLetters &= kAllLetters;
    // The kept letter stays where it is: removed and added back, it would lose its selection.
    edit.remove = presentLetters & usedLetters & ~LetterBit(keepLetter);
    edit.add = ~presentLetters & ~usedLetters & kAllLetters;
    uint32_t afterwards = (presentLetters & ~edit.remove) | edit.add;
    edit.add |= LetterBit(keepLetter) & ~afterwards;
    edit.changeSelection = IsUpperDriveLetter(selectLetter);
    edit.select = edit.changeSelection ? selectLetter : 0;
    return edit;
}

ToolbarStates StatesAtCreation()
{
    return {ButtonState::Disabled, ButtonState::Disabled, ButtonState::Enabled};
}

ToolbarStates StatesForSelection(bool selectedRowWithRecord, bool connected)
{
    if (selectedRowWithRecord)
        return {ButtonState::Enabled, ButtonState::Enabled, connected ? ButtonState::Disabled : ButtonState::Enabled};
    return {ButtonState::Disabled, ButtonState::Disabled, ButtonState::Enabled};
}

ToolbarStates StatesForLetterPick(wchar_t recordLetter, wchar_t pickedLetter)
{
    // With a drive selected, New is offered exactly for a letter other than the drive's own.
    bool ownLetter = recordLetter != 0 && pickedLetter != 0 && pickedLetter == recordLetter;
    return {ButtonState::Unchanged, ButtonState::Unchanged, ownLetter ? ButtonState::Disabled : ButtonState::Enabled};
}

int NextHotButton(const bool* enabled, int count, int from, int step)
{
    int index = from >= 0 ? from : (step > 0 ? -1 : count);
    for (int tried = 0; tried < count; ++tried) {
        index = ((index + step) % count + count) % count;
        if (enabled[index])
            return index;
    }
    return -1;
}

bool UseSystemColours(bool highContrast, uint32_t windowColour, uint32_t windowTextColour)
{
    return highContrast || windowColour != 0x00FFFFFF || windowTextColour != 0x00000000;
}
