// Paths after every symbolic link, and the executable's own path.
#pragma once
#include <windows.h>

#include <cstddef>

// The Win32 name (C:\dir\name, \\server\share\name) of an open file after every symbolic link and
// junction, in path (capacity units). False, path unchanged, where the system cannot say: before
// Vista, which has no symbolic links to files; a volume without a letter; a name that does not fit.
bool FindFinalPath(HANDLE file, wchar_t* path, size_t capacity);

// GetModuleFileNameW's answer for the executable, but where the file itself is a symbolic link
// (a package manager's command alias), the file that it names: settings and the Run value belong
// beside that file. Links above the file, such as a junction to the current version, stay.
DWORD ExecutablePath(wchar_t* path, DWORD capacity);
