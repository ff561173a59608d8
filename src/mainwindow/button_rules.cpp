// When the Remove, Save and New buttons of the main toolbar are enabled, and which one is hot.
#include "mainwindow/button_rules.h"

ToolbarStates StatesAtCreation()
{
    return {ButtonState::Disabled, ButtonState::Disabled, ButtonState::Enabled};
}

ToolbarStates StatesForSelection(bool selectedRowWithRecord)
{
    if (selectedRowWithRecord)
        return {ButtonState::Enabled, ButtonState::Enabled, ButtonState::Disabled};
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
