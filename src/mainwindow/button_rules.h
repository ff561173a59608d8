// When the Remove, Save and New buttons of the main toolbar are enabled (Browse is never
// disabled, so it has no rule), and which button the arrow keys make hot.
#pragma once

enum class ButtonState { Unchanged, Enabled, Disabled };

struct ToolbarStates {
    ButtonState remove;
    ButtonState save;
    ButtonState create;
};

// Fresh toolbars: nothing selected yet, so only New.
ToolbarStates StatesAtCreation();

// A row became selected (with its record), or the selection was lost or has no record.
ToolbarStates StatesForSelection(bool selectedRowWithRecord);

// The user picked a letter in the combo. recordLetter is the selected row's letter (0 when no
// row with a record is selected), pickedLetter the pick (0 when the combo has none).
ToolbarStates StatesForLetterPick(wchar_t recordLetter, wchar_t pickedLetter);

// The button that becomes hot when the toolbar has the focus: the first enabled one after
// `from` in steps of `step` (+1 right or down, -1 left or up), wrapping round. `from` -1 starts
// before the first button for +1 and after the last for -1. -1 when no button is enabled.
int NextHotButton(const bool* enabled, int count, int from, int step);
