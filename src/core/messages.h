// The program's two message boxes: an error and a yes/no question, owned by the main dialog when it exists.
#pragma once
#include <windows.h>

constexpr int kMessageCapacity = 1024;

extern const wchar_t kErrorCaption[];
extern const wchar_t kQuestionCaption[];

// printf-style, %s takes a wide string; the text is cut at 1023 units.
void ShowError(const wchar_t* format, ...);

// True exactly when the user answers Yes; iconFlags is one of the MB_ICON values.
bool AskYesNo(UINT iconFlags, const wchar_t* format, ...);
