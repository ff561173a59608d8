// Drives the controls of the main dialog the way the user's input reaches them.
#include "support/dialog_driver.h"

#include <commctrl.h>

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

bool ToolbarButtonEnabled(HWND toolbar, int command)
{
    return (SendMessageW(toolbar, TB_GETSTATE, command, 0) & TBSTATE_ENABLED) != 0;
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
FolderPickerStandIn* g_standIn = nullptr;
const wchar_t kPickerWindowClass[] = L"MorvexTestFolderPicker";
}  // namespace

FolderPickerStandIn::FolderPickerStandIn(const std::wstring& chosen)
    : hook_("shell32.dll", "SHBrowseForFolderW", reinterpret_cast<void*>(&Browse)), chosen_(chosen)
{
    g_standIn = this;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = PickerWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kPickerWindowClass;
    RegisterClassW(&windowClass);
}

FolderPickerStandIn::~FolderPickerStandIn()
{
    g_standIn = nullptr;
}

PIDLIST_ABSOLUTE WINAPI FolderPickerStandIn::Browse(BROWSEINFOW* info)
{
    FolderPickerStandIn* standIn = g_standIn;
    if (standIn == nullptr)
        return nullptr;
    ++standIn->shown_;
    standIn->owner_ = info->hwndOwner;
    standIn->title_ = info->lpszTitle != nullptr ? info->lpszTitle : L"<null>";
    standIn->flags_ = info->ulFlags;
    standIn->rootIsDesktop_ = info->pidlRoot == nullptr;
    standIn->requestedStart_.clear();
    // The shell calls back with the picker's window once it exists; this one only listens.
    HWND picker = CreateWindowExW(0, kPickerWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (info->lpfn != nullptr)
        info->lpfn(picker, BFFM_INITIALIZED, 0, info->lParam);
    DestroyWindow(picker);
    if (standIn->chosen_.empty())
        return nullptr;
    return ILCreateFromPathW(standIn->chosen_.c_str());
}

LRESULT CALLBACK FolderPickerStandIn::PickerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == BFFM_SETSELECTIONW && g_standIn != nullptr)
        g_standIn->requestedStart_ = wParam ? reinterpret_cast<const wchar_t*>(lParam) : L"<an item list>";
    return DefWindowProcW(window, message, wParam, lParam);
}

bool FolderPickerCanceller::Wants(HWND window) const
{
    wchar_t className[32] = L"";
    GetClassNameW(window, className, 32);
    return window != g_hwndMain && !IsMessageBox(window) && lstrcmpW(className, L"#32770") == 0;
}

void FolderPickerCanceller::Answer(HWND window)
{
    ++shown_;
    PostButtonClick(window, IDCANCEL);
}
