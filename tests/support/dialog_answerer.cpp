// One thread-local CBT hook shared by every live answerer.
#include "support/dialog_answerer.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<DialogAnswerer*> g_answerers;
HHOOK g_hook = nullptr;
}  // namespace

DialogAnswerer::DialogAnswerer()
{
    if (g_answerers.empty())
        g_hook = SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
    g_answerers.push_back(this);
}

DialogAnswerer::~DialogAnswerer()
{
    g_answerers.erase(std::find(g_answerers.begin(), g_answerers.end(), this));
    if (g_answerers.empty())
        UnhookWindowsHookEx(g_hook);
}

LRESULT CALLBACK DialogAnswerer::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    auto window = reinterpret_cast<HWND>(wParam);
    for (size_t i = g_answerers.size(); code == HCBT_ACTIVATE && i-- > 0;) {
        if (!g_answerers[i]->Wants(window))
            continue;
        if (GetPropW(window, L"MorvexTestAnswered") == nullptr && SetPropW(window, L"MorvexTestAnswered", window))
            g_answerers[i]->Answer(window);
        break;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void PostButtonClick(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
