// Records and answers message boxes.
#include "support/message_box_interceptor.h"

#include "core/app_globals.h"

namespace {
// Message boxes keep their text in a static control with this identifier.
constexpr int kMessageTextId = 0xFFFF;

std::wstring WindowText(HWND window)
{
    wchar_t text[4096] = L"";
    GetWindowTextW(window, text, 4096);
    return text;
}
}  // namespace

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

std::vector<std::wstring> MessageBoxInterceptor::Texts() const
{
    std::vector<std::wstring> texts;
    for (const RecordedBox& box : boxes_)
        texts.push_back(box.text);
    return texts;
}

void MessageBoxInterceptor::Answer(HWND window)
{
    boxes_.push_back(ReadMessageBox(window));
    if (whileOpen_)
        whileOpen_();
    PostButtonClick(window, answer_);
}

std::wstring MessageText(UINT id, const std::wstring& argument, wchar_t letter)
{
    wchar_t format[1024] = L"";
    LoadStringW(g_hInstance, id, format, 1024);
    std::wstring text = format;
    if (text.find(L"%c") != std::wstring::npos)
        text.replace(text.find(L"%c"), 2, 1, letter);
    size_t slot = text.find(L"%s");
    if (slot != std::wstring::npos)
        text.replace(slot, 2, argument);
    return text.substr(0, 1023);
}
