// Which letters the letter combo must lose, gain and select.
#include "mainwindow/letter_plan.h"

#include "core/drive_letter.h"

namespace {
constexpr uint32_t kAllLetters = (1u << 26) - 1;
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
