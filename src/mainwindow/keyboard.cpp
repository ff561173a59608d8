// The dialog by keyboard.
#include "mainwindow/keyboard.h"

#include "core/drive_letter.h"
#include "mainwindow/dialog_rules.h"
#include "mainwindow/letter_picker.h"
#include "mainwindow/toolbars.h"
#include "res/resource.h"

namespace {

// The procedures that the subclasses stand in front of; both toolbars share their class's.
WNDPROC g_pfnToolbarProc = nullptr;
WNDPROC g_pfnComboProc = nullptr;
WNDPROC g_pfnListProc = nullptr;

constexpr int kMaxButtons = 8;
constexpr LPARAM kKeyWasDown = 1 << 30;

// The tab order is the windows' Z order.
void PlaceAfter(HWND control, HWND previous)
{
    SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

WNDPROC Subclass(HWND window, WNDPROC procedure)
{
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

// False also for no button (-1).
bool EnabledButtonAt(HWND toolbar, int index, TBBUTTON* button)
{
    *button = {};
    return index >= 0 && SendMessageW(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(button)) &&
           (button->fsState & TBSTATE_ENABLED) != 0;
}

// The hot button moves by step from `from` (-1: from none) to the next enabled one.
void MoveHotButton(HWND toolbar, int from, int step)
{
    bool enabled[kMaxButtons] = {};
    int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    count = count < kMaxButtons ? count : kMaxButtons;
    TBBUTTON button;
    for (int i = 0; i < count; ++i)
        enabled[i] = EnabledButtonAt(toolbar, i, &button);
    SendMessageW(toolbar, TB_SETHOTITEM, NextHotButton(enabled, count, from, step), 0);
}

int HotButton(HWND toolbar)
{
    return static_cast<int>(SendMessageW(toolbar, TB_GETHOTITEM, 0, 0));
}

// The command that a click on the hot button sends, sent the same way.
void PressHotButton(HWND toolbar)
{
    TBBUTTON button;
    if (EnabledButtonAt(toolbar, HotButton(toolbar), &button))
        SendMessageW(GetParent(toolbar), WM_COMMAND, MAKEWPARAM(button.idCommand, BN_CLICKED),
                     reinterpret_cast<LPARAM>(toolbar));
}

// Arrows always; Enter too, which the dialog manager would otherwise turn into IDOK.
LRESULT ToolbarDialogCode(LPARAM lParam)
{
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    bool enter = message != nullptr && message->wParam == VK_RETURN &&
                 (message->message == WM_KEYDOWN || message->message == WM_CHAR);
    return DLGC_WANTARROWS | (enter ? DLGC_WANTMESSAGE : 0);
}

// True for the keys handled here, done. Space and Enter press once per stroke, not per repeat.
bool OnToolbarKeyDown(HWND toolbar, WPARAM key, LPARAM lParam)
{
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        MoveHotButton(toolbar, HotButton(toolbar), -1);
        return true;
    case VK_RIGHT:
    case VK_DOWN:
        MoveHotButton(toolbar, HotButton(toolbar), +1);
        return true;
    case VK_SPACE:
    case VK_RETURN:
        if ((lParam & kKeyWasDown) == 0)
            PressHotButton(toolbar);
        return true;
    default:
        return false;
    }
}

// The toolbars' own keyboard handling is not used, so that both systems behave alike: Windows'
// toolbar asks for the arrows, Wine's does not (in a dialog it never gets them) and makes its first
// button hot on focus even when disabled.
LRESULT CALLBACK ToolbarKeysProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return ToolbarDialogCode(lParam);
    case WM_SETFOCUS: {
        LRESULT result = CallWindowProcW(g_pfnToolbarProc, toolbar, message, wParam, lParam);
        MoveHotButton(toolbar, -1, +1);
        return result;
    }
    case WM_KILLFOCUS:
        SendMessageW(toolbar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
        break;
    case WM_KEYDOWN:
        if (OnToolbarKeyDown(toolbar, wParam, lParam))
            return 0;
        break;
    case WM_KEYUP:
    case WM_CHAR:
        if (wParam == VK_SPACE || wParam == VK_RETURN)
            return 0;
        break;
    default:
        break;
    }
    return CallWindowProcW(g_pfnToolbarProc, toolbar, message, wParam, lParam);
}

// Delete removes the selected drive as the Remove button does, once per stroke: a held key's
// repeats would remove the drives after it one by one. The list's own LVN_KEYDOWN does not tell
// a repeat.
LRESULT CALLBACK ListKeysProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_KEYDOWN || wParam != VK_DELETE)
        return CallWindowProcW(g_pfnListProc, list, message, wParam, lParam);
    if ((lParam & kKeyWasDown) == 0)
        SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(IDM_REMOVE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(g_hwndMainToolbar));
    return 0;
}

// The combo's items start with a blank (" X:"), which defeats its own search by first character.
LRESULT CALLBACK ComboLettersProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR && IsDriveLetter(static_cast<wchar_t>(wParam))) {
        PickTypedLetter(NormalizeDriveLetter(static_cast<wchar_t>(wParam)));
        return 0;
    }
    return CallWindowProcW(g_pfnComboProc, combo, message, wParam, lParam);
}

void SubclassToolbar(HWND toolbar)
{
    if (toolbar != nullptr)
        g_pfnToolbarProc = Subclass(toolbar, ToolbarKeysProc);
}

}  // namespace

void EnableKeyboard(HWND dialog)
{
    // Reading order: each toolbar follows the control on its left, not the template's last one.
    PlaceAfter(g_hwndMainToolbar, GetDlgItem(dialog, IDC_DRIVE_LIST));
    PlaceAfter(g_hwndBrowseToolbar, GetDlgItem(dialog, IDC_PATH_EDIT));
    SubclassToolbar(g_hwndMainToolbar);
    SubclassToolbar(g_hwndBrowseToolbar);
    HWND combo = GetDlgItem(dialog, IDC_LETTER_COMBO);
    if (combo != nullptr)
        g_pfnComboProc = Subclass(combo, ComboLettersProc);
    HWND list = GetDlgItem(dialog, IDC_DRIVE_LIST);
    if (list != nullptr)
        g_pfnListProc = Subclass(list, ListKeysProc);
}

void KeepHotButtonEnabled(HWND toolbar)
{
    TBBUTTON button;
    int hot = HotButton(toolbar);
    if (GetFocus() == toolbar && !EnabledButtonAt(toolbar, hot, &button))
        MoveHotButton(toolbar, hot, +1);
}
