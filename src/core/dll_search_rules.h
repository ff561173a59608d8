// Where the program takes a system library from: its full path in the system directory, so that a
// library of the same name planted beside the executable or in the current directory is never
// the one loaded.
#pragma once
#include <cstddef>

// path = directory, a backslash unless it already ends in one, and fileName. False (path empty)
// when directory is empty or the result does not fit in capacity units: a cut path would name
// some other file.
bool JoinLibraryPath(const wchar_t* directory, const wchar_t* fileName, wchar_t* path, size_t capacity);
