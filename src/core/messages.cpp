// The program's two message boxes.
#include "core/messages.h"

#include <cstdarg>

#include "core/app_globals.h"
#include "core/bounded_string.h"
#include "res/resource.h"

namespace {

// Texts come from the string table; without a window the instance is null, which names the
// executable itself.
void LoadText(UINT id, wchar_t (&text)[kMessageCapacity])
{
    text[0] = L'\0';
    LoadStringW(g_hInstance, id, text, kMessageCapacity);
}

void FormatMessageText(wchar_t (&text)[kMessageCapacity], UINT formatId, va_list arguments)
{
    wchar_t format[kMessageCapacity];
    LoadText(formatId, format);
    FormatBoundedV(text, kMessageCapacity, format, arguments);
}

}  // namespace

void ShowError(UINT textId, ...)
{
    wchar_t text[kMessageCapacity];
    va_list arguments;
    va_start(arguments, textId);
    FormatMessageText(text, textId, arguments);
    va_end(arguments);
    wchar_t caption[kMessageCapacity];
    LoadText(IDS_ERROR_CAPTION, caption);
    MessageBeep(MB_ICONHAND);
    MessageBoxW(g_hwndMain, text, caption, MB_ICONERROR);
}

bool AskYesNo(UINT iconFlags, UINT textId, ...)
{
    wchar_t text[kMessageCapacity];
    va_list arguments;
    va_start(arguments, textId);
    FormatMessageText(text, textId, arguments);
    va_end(arguments);
    wchar_t caption[kMessageCapacity];
    LoadText(IDS_QUESTION_CAPTION, caption);
    MessageBeep(iconFlags);
    return MessageBoxW(g_hwndMain, text, caption, iconFlags | MB_YESNO) == IDYES;
}
