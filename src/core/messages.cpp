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
// Held errors wait in a heap block of texts one after another, each with its terminator.
struct ErrorReporting {
    bool quiet;
    bool reported;
    bool holding;
    wchar_t* held;
    size_t heldUnits;
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

// False when the block cannot grow: the box is shown at once instead.
bool HoldText(const wchar_t* text)
{
    size_t units = BoundedLength(text, kMessageCapacity) + 1;
    size_t size = (g_errorReporting.heldUnits + units) * sizeof(wchar_t);
    void* grown = g_errorReporting.held == nullptr ? GlobalAlloc(GMEM_FIXED, size)
                                                   : GlobalReAlloc(g_errorReporting.held, size, GMEM_MOVEABLE);
    if (grown == nullptr)
        return false;
    g_errorReporting.held = static_cast<wchar_t*>(grown);
    CopyBounded(g_errorReporting.held + g_errorReporting.heldUnits, units, text);
    g_errorReporting.heldUnits += units;
    return true;
}

// A quiet run asks nothing: a question counts as answered No. Only errors are held.
int ShowMessage(UINT captionId, UINT beep, UINT style, UINT textId, va_list arguments)
{
    wchar_t format[kMessageCapacity];
    LoadText(textId, format);
    wchar_t text[kMessageCapacity];
    FormatBoundedV(text, kMessageCapacity, format, arguments);
    if (!g_errorReporting.quiet) {
        bool held = g_errorReporting.holding && captionId == IDS_ERROR_CAPTION && HoldText(text);
        return held ? IDOK : ShowBox(captionId, beep, style, text);
    }
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

void HoldErrors()
{
    g_errorReporting.holding = true;
}

void ShowHeldErrors()
{
    g_errorReporting.holding = false;
    for (size_t at = 0; at < g_errorReporting.heldUnits; at += BoundedLength(g_errorReporting.held + at, kMessageCapacity) + 1)
        ShowBox(IDS_ERROR_CAPTION, MB_ICONHAND, MB_ICONERROR, g_errorReporting.held + at);
    if (g_errorReporting.held != nullptr)
        GlobalFree(g_errorReporting.held);
    g_errorReporting.held = nullptr;
    g_errorReporting.heldUnits = 0;
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
