// The text of a drive list row's directory line.
#include "mainwindow/directory_line.h"

#include <cwchar>

void DropTrailingBackslash(wchar_t* directory)
{
    size_t length = std::wcslen(directory);
    // "C:\" stays whole: "C:" alone would read as the current directory of drive C.
    if (length > 3 && directory[length - 1] == L'\\')
        directory[length - 1] = L'\0';
}
