// The program's message boxes, and the lines on standard error that replace them in quiet runs.
#include "core/messages.h"

#include <cstdarg>

#include "core/app_globals.h"
#include "core/bounded_string.h"
#include "core/output_rules.h"
#include "core/standard_output.h"
#include "res/resource.h"

namespace {

// In a quiet run errors are lines on standard error; either way the run remembers that one came.
struct ErrorReporting {
    bool quiet;
    bool reported;
};
ErrorReporting g_errorReporting = {};

// Texts come from the string table; without a window the instance is null, which names the
// executable itself.
void LoadText(UINT id, wchar_t (&text)[kMessageCapacity])
{
    text[0] = L'\0';
    LoadStringW(g_hInstance, id, text, kMessageCapacity);
}

int ShowBox(UINT captionId, UINT beep, UINT style, const wchar_t* text)
{
    wchar_t caption[kMessageCapacity];
    LoadText(captionId, caption);
    MessageBeep(beep);
    return MessageBoxW(g_hwndMain, text, caption, style);
}

// A quiet run asks nothing: a question counts as answered No.
int ShowMessage(UINT captionId, UINT beep, UINT style, UINT textId, va_list arguments)
{
    wchar_t format[kMessageCapacity];
    LoadText(textId, format);
    wchar_t text[kMessageCapacity];
    FormatBoundedV(text, kMessageCapacity, format, arguments);
    if (!g_errorReporting.quiet)
        return ShowBox(captionId, beep, style, text);
    JoinIntoOneLine(text);
    WriteStandardLine(StandardStream::Error, text);
    return IDNO;
}

}  // namespace

void ShowError(UINT textId, ...)
{
    g_errorReporting.reported = true;
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

void EnterQuietMode()
{
    g_errorReporting.quiet = true;
}

bool ErrorWasReported()
{
    return g_errorReporting.reported;
}

void ShowText(UINT textId)
{
    wchar_t text[kMessageCapacity];
    LoadText(textId, text);
    if (!WriteStandardLine(StandardStream::Output, text) && !g_errorReporting.quiet)
        ShowBox(IDS_TEXT_CAPTION, MB_ICONASTERISK, MB_ICONINFORMATION, text);
}
