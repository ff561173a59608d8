// Rules of the process's first steps that do not need the window system: which Windows versions
// the program runs on, and where it takes a system library from.
#pragma once
#include <cstddef>

constexpr unsigned long kPlatformWin32Nt = 2;

// The NT family from Windows 2000 (5.0) on.
bool IsSupportedVersion(unsigned long platformId, unsigned long majorVersion);

// path = directory, a backslash unless it already ends in one, and fileName: a system library by
// its full path in the system directory, so that one of the same name planted beside the
// executable or in the current directory is never the one loaded. False (path empty) when
// directory is empty or the result does not fit in capacity units: a cut path would name some
// other file.
bool JoinLibraryPath(const wchar_t* directory, const wchar_t* fileName, wchar_t* path, size_t capacity);
