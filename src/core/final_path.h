// Paths after every symbolic link, and the executable's own path.
#pragma once
#include <windows.h>

#include <cstddef>

// The Win32 name (C:\dir\name, \\server\share\name) of an open file after every symbolic link and
// junction, in path (capacity units). False, path unchanged, where the system cannot say: before
// Vista, which has no symbolic links to files; a volume without a letter; a name that does not fit.
bool FindFinalPath(HANDLE file, wchar_t* path, size_t capacity);

// Where the file that a full path names is itself a symbolic link (a package manager's command
// alias), path (capacity units) becomes the file it names. Links above the file, such as a junction
// to the current version, stay as they are.
void FollowLinkToFile(wchar_t* path, size_t capacity);

// The executable's path from GetModuleFileNameW, a link to the file followed: settings belong
// beside the file it names.
DWORD ExecutablePath(wchar_t* path, DWORD capacity);
