// Which letters the letter combo must lose, gain and select, given the letters in use.
// Masks hold one bit per letter, bit 0 for A.
#pragma once
#include <cstdint>

struct LetterComboEdit {
    uint32_t remove;        // present in the combo but in use, the kept letter excepted; applied first
    uint32_t add;           // free but missing, and the kept letter when missing after the removals
    bool changeSelection;   // false: the selection is left as it is
    wchar_t select;         // letter to select when changeSelection; 0 clears it
};

uint32_t LetterBit(wchar_t letter);

// usedLetters from the system, presentLetters already in the combo. keepLetter is offered even
// though it is in use; selectLetter is selected. 0, or anything outside 'A'..'Z', means none.
LetterComboEdit PlanLetterCombo(uint32_t usedLetters, uint32_t presentLetters, wchar_t keepLetter,
                                wchar_t selectLetter);
