// Drives the controls of the main dialog the way the user's input reaches them.
#include "support/dialog_driver.h"

#include <commctrl.h>
#include <shlobj.h>

#include "core/app_globals.h"
#include "support/message_box_interceptor.h"

void ClickToolbarButton(HWND toolbar, int command)
{
    LRESULT index = SendMessageW(toolbar, TB_COMMANDTOINDEX, command, 0);
    RECT button = {};
    SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&button));
    LPARAM point = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    SendMessageW(toolbar, WM_MOUSEMOVE, 0, point);
    SendMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(toolbar, WM_LBUTTONUP, 0, point);
}

int ToolbarButtonState(HWND toolbar, int command)
{
    return static_cast<int>(SendMessageW(toolbar, TB_GETSTATE, command, 0));
}

bool ToolbarButtonEnabled(HWND toolbar, int command)
{
    return (ToolbarButtonState(toolbar, command) & TBSTATE_ENABLED) != 0;
}

void PickComboItem(HWND dialog, int comboId, const std::wstring& text)
{
    HWND combo = GetDlgItem(dialog, comboId);
    LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
}

namespace {
FolderPickerAnswerer* g_activeAnswerer = nullptr;
constexpr UINT_PTR kSettleTimer = 0x4D56;
constexpr DWORD kSettledAfterMs = 400;
constexpr DWORD kGiveUpAfterMs = 5000;

BOOL CALLBACK FindTree(HWND window, LPARAM found)
{
    wchar_t className[32] = L"";
    GetClassNameW(window, className, 32);
    if (lstrcmpW(className, WC_TREEVIEWW) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}
}  // namespace

FolderPickerAnswerer::FolderPickerAnswerer(int answer, const std::wstring& goTo)
    : sendMessage_("user32.dll", "SendMessageW", reinterpret_cast<void*>(&RecordingSendMessage)),
      answer_(answer),
      goTo_(goTo)
{
    g_activeAnswerer = this;
    hook_ = SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
}

FolderPickerAnswerer::~FolderPickerAnswerer()
{
    UnhookWindowsHookEx(hook_);
    g_activeAnswerer = nullptr;
}

LRESULT CALLBACK FolderPickerAnswerer::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && g_activeAnswerer != nullptr && window != g_hwndMain && !IsMessageBox(window)) {
        wchar_t className[32] = L"";
        GetClassNameW(window, className, 32);
        if (lstrcmpW(className, L"#32770") == 0 && FirstActivation(window)) {
            wchar_t title[256] = L"";
            GetWindowTextW(window, title, 256);
            g_activeAnswerer->title_ = title;
            ++g_activeAnswerer->shown_;
            g_activeAnswerer->picker_ = window;
            g_activeAnswerer->lastSelection_ = 0;
            if (!g_activeAnswerer->goTo_.empty())
                PostMessageW(window, BFFM_SETSELECTIONW, TRUE,
                             reinterpret_cast<LPARAM>(g_activeAnswerer->goTo_.c_str()));
            g_activeAnswerer->openedAt_ = g_activeAnswerer->stableSince_ = GetTickCount();
            // The picker may still be moving its selection to the start directory.
            SetTimer(window, kSettleTimer, 50, OnTimer);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK FolderPickerAnswerer::OnTimer(HWND window, UINT, UINT_PTR, DWORD now)
{
    FolderPickerAnswerer* answerer = g_activeAnswerer;
    if (answerer == nullptr || window != answerer->picker_)
        return;
    HWND tree = nullptr;
    EnumChildWindows(window, FindTree, reinterpret_cast<LPARAM>(&tree));
    LRESULT selection = tree != nullptr ? SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) : 0;
    if (selection != answerer->lastSelection_) {
        answerer->lastSelection_ = selection;
        answerer->stableSince_ = now;
    }
    if (now - answerer->stableSince_ < kSettledAfterMs && now - answerer->openedAt_ < kGiveUpAfterMs)
        return;
    KillTimer(window, kSettleTimer);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(answerer->answer_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, answerer->answer_)));
}

LRESULT WINAPI FolderPickerAnswerer::RecordingSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    FolderPickerAnswerer* answerer = g_activeAnswerer;
    if (answerer != nullptr && message == BFFM_SETSELECTIONW && wParam == TRUE && lParam != 0)
        answerer->requestedStart_ = reinterpret_cast<const wchar_t*>(lParam);
    using SendMessageFunction = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
    auto original = reinterpret_cast<SendMessageFunction>(answerer != nullptr ? answerer->sendMessage_.Original()
                                                                              : reinterpret_cast<void*>(&SendMessageW));
    return original(window, message, wParam, lParam);
}
