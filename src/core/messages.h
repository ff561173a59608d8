// The program's message boxes: an error and a yes/no question, owned by the main dialog when it
// exists; in a quiet one-shot run, errors are lines on standard error instead.
#pragma once
#include <windows.h>

constexpr int kMessageCapacity = 1024;

// printf-style with the string resource textId as the format, %s taking a wide string; the
// text is cut at 1023 units.
void ShowError(UINT textId, ...);

// True exactly when the user answers Yes; iconFlags is one of the MB_ICON values.
bool AskYesNo(UINT iconFlags, UINT textId, ...);

// From now on every error is written as one line to standard error, and no box is shown.
void EnterQuietMode();

// While held, error boxes wait, in order, for ShowHeldErrors: a box would stop everything after it
// until someone answers it. Lines on standard error go out at once.
void HoldErrors();
void ShowHeldErrors();

// True once an error has been reported, as a box or as a line.
bool ErrorWasReported();

// The string resource textId on standard output; with nowhere to write it, in an information box
// unless the run is quiet.
void ShowText(UINT textId);
