// Where the process gets its libraries from: keeps a DLL planted beside the executable or in
// the current directory out of it.
#pragma once
#include <windows.h>

#include <cstddef>

enum class DllSearch {
    SystemDirectoryOnly,   // SetDefaultDllDirectories: System32 alone
    NoCurrentDirectory,    // SetDllDirectoryW(L""): the default order without the current directory
    Unchanged,             // neither exists (Windows 2000): the default order
};

// Restricts the search for every library loaded by name from now on, as far as this Windows
// allows. Call it before anything loads a library other than kernel32 and msvcrt.
DllSearch RestrictDllSearch();

// path = the full path of the system library fileName in the system directory. False (path
// empty) when there is no system directory or the path does not fit in capacity units.
bool SystemLibraryPath(const wchar_t* fileName, wchar_t* path, size_t capacity);

// Loads the system library fileName by its full path, wherever the search would look first;
// a later load by its bare name finds it loaded. Null when it cannot.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

// Binds the function that library exports under name to *function; false, with *function null,
// when it exports none. Functions that a system may lack are bound at run time through this one
// place that turns an exported address into a typed function.
template <typename Function>
bool BindFunction(HMODULE library, const char* name, Function* function)
{
    *function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
    return *function != nullptr;
}
