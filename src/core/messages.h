// The program's two message boxes: an error and a yes/no question, owned by the main dialog when it exists.
#pragma once
#include <windows.h>

constexpr int kMessageCapacity = 1024;

// printf-style with the string resource textId as the format, %s taking a wide string; the
// text is cut at 1023 units.
void ShowError(UINT textId, ...);

// True exactly when the user answers Yes; iconFlags is one of the MB_ICON values.
bool AskYesNo(UINT iconFlags, UINT textId, ...);
