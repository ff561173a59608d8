// Records and answers message boxes through a thread-local CBT hook.
#include "support/message_box_interceptor.h"

namespace {
// Message boxes keep their text in a static control with this identifier.
constexpr int kMessageTextId = 0xFFFF;
MessageBoxInterceptor* g_activeInterceptor = nullptr;

std::wstring WindowText(HWND window)
{
    wchar_t text[4096] = L"";
    GetWindowTextW(window, text, 4096);
    return text;
}
}  // namespace

bool FirstActivation(HWND window)
{
    if (GetPropW(window, L"MorvexTestAnswered") != nullptr)
        return false;
    SetPropW(window, L"MorvexTestAnswered", reinterpret_cast<HANDLE>(1));
    return true;
}

bool IsMessageBox(HWND window)
{
    wchar_t className[32] = L"";
    GetClassNameW(window, className, 32);
    return lstrcmpW(className, L"#32770") == 0 && GetDlgItem(window, kMessageTextId) != nullptr;
}

RecordedBox ReadMessageBox(HWND box)
{
    return RecordedBox{WindowText(box), WindowText(GetDlgItem(box, kMessageTextId)),
                       GetWindow(box, GW_OWNER)};
}

MessageBoxInterceptor::MessageBoxInterceptor(int answer) : answer_(answer)
{
    g_activeInterceptor = this;
    hook_ = SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
}

MessageBoxInterceptor::~MessageBoxInterceptor()
{
    UnhookWindowsHookEx(hook_);
    g_activeInterceptor = nullptr;
}

LRESULT CALLBACK MessageBoxInterceptor::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && g_activeInterceptor != nullptr)
        g_activeInterceptor->OnActivate(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxInterceptor::OnActivate(HWND window)
{
    if (!IsMessageBox(window) || !FirstActivation(window))
        return;
    boxes_.push_back(ReadMessageBox(window));
    if (whileOpen_)
        whileOpen_();
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(answer_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, answer_)));
}
