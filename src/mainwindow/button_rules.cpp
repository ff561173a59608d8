// When the Remove, Save and New buttons of the main toolbar are enabled.
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
