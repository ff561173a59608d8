// The shell's folder-selection dialog, opened at a given directory.
#pragma once
#include <windows.h>

// Shows the dialog modally over owner with pathBuffer (at least MAX_PATH units) selected
// first; true when the user confirmed a folder and its path has been written to pathBuffer.
bool BrowseForFolder(HWND owner, const wchar_t* title, wchar_t* pathBuffer);

// Selects the caller's directory when the dialog starts.
int CALLBACK BrowseFolderCallback(HWND window, UINT message, LPARAM lParam, LPARAM data);
