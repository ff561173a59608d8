// The two toolbars beside the letter combo and the path box.
#include "mainwindow/toolbars.h"

#include "res/resource.h"

HWND g_hwndMainToolbar = nullptr;
HWND g_hwndBrowseToolbar = nullptr;
HIMAGELIST g_himlMainToolbar = nullptr;
HIMAGELIST g_himlBrowseToolbar = nullptr;

namespace {

void SetButtonState(int command, ButtonState state)
{
    if (state == ButtonState::Unchanged)
        return;
    // 0 clears every other state bit too, as a disabled button needs.
    LPARAM value = state == ButtonState::Enabled ? TBSTATE_ENABLED : 0;
    SendMessageW(g_hwndMainToolbar, TB_SETSTATE, command, value);
}

}  // namespace

void ApplyToolbarStates(const ToolbarStates& states)
{
    SetButtonState(IDM_REMOVE, states.remove);
    SetButtonState(IDM_SAVE, states.save);
    SetButtonState(IDM_NEW, states.create);
}
