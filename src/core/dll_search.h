// Where the process looks for the libraries it loads by name: keeps a DLL planted beside the
// executable or in the current directory out of it.
#pragma once

enum class DllSearch {
    SystemDirectoryOnly,   // SetDefaultDllDirectories: System32 alone
    NoCurrentDirectory,    // SetDllDirectoryW(L""): the default order without the current directory
    Unchanged,             // neither exists (Windows 2000): the default order
};

// Restricts the search for every library loaded by name from now on, as far as this Windows
// allows. Call it before anything loads a library other than kernel32 and msvcrt.
DllSearch RestrictDllSearch();
