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

int ShowMessage(UINT captionId, UINT beep, UINT style, UINT textId, va_list arguments)
{
    wchar_t format[kMessageCapacity];
    LoadText(textId, format);
    wchar_t text[kMessageCapacity];
    FormatBoundedV(text, kMessageCapacity, format, arguments);
    wchar_t caption[kMessageCapacity];
    LoadText(captionId, caption);
    MessageBeep(beep);
    return MessageBoxW(g_hwndMain, text, caption, style);
}

}  // namespace

void ShowError(UINT textId, ...)
{
    va_list arguments;
    va_start(arguments, textId);
    ShowMessage(IDS_ERROR_CAPTION, MB_ICONHAND, MB_ICONERROR, textId, arguments);
    va_end(arguments);
}

bool AskYesNo(UINT iconFlags, UINT textId, ...)
{
    va_list arguments;
    va_start(arguments, textId);
    int answer = ShowMessage(IDS_QUESTION_CAPTION, iconFlags, iconFlags | MB_YESNO, textId, arguments);
    va_end(arguments);
    return answer == IDYES;
}
