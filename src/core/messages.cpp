// The program's two message boxes.
#include "core/messages.h"

#include <cstdarg>
#include <cwchar>

#include "core/app_globals.h"

const wchar_t kErrorCaption[] = L"Morvex Error";
const wchar_t kQuestionCaption[] = L"Morvex Confirmation";

namespace {

void FormatMessageText(wchar_t (&text)[kMessageCapacity], const wchar_t* format, va_list arguments)
{
    // msvcrt's formatter: %s is wide here, and a cut result comes back unterminated with -1.
    int length = _vsnwprintf(text, kMessageCapacity - 1, format, arguments);
    if (length < 0 || length >= kMessageCapacity - 1)
        text[kMessageCapacity - 1] = L'\0';
}

}  // namespace

void ShowError(const wchar_t* format, ...)
{
    wchar_t text[kMessageCapacity];
    va_list arguments;
    va_start(arguments, format);
    FormatMessageText(text, format, arguments);
    va_end(arguments);
    MessageBeep(MB_ICONHAND);
    MessageBoxW(g_hwndMain, text, kErrorCaption, MB_ICONERROR);
}

bool AskYesNo(UINT iconFlags, const wchar_t* format, ...)
{
    wchar_t text[kMessageCapacity];
    va_list arguments;
    va_start(arguments, format);
    FormatMessageText(text, format, arguments);
    va_end(arguments);
    MessageBeep(iconFlags);
    return MessageBoxW(g_hwndMain, text, kQuestionCaption, iconFlags | MB_YESNO) == IDYES;
}
