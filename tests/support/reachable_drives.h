// Drive letters that files can be reached through: those a program defines, as on Windows (Wine
// resolves only its own dosdevices links), and a letter that appears mid-run, as a network drive
// that Windows reconnects after log-on.
#pragma once
#include <windows.h>

#include <string>

#include "import_hook/import_hook.h"

// While it exists, GetFileAttributesW, as the program under test calls it, follows virtual drives
// to their directories.
class WindowsLikeFileAccess {
public:
    WindowsLikeFileAccess();
    bool Installed() const { return hook_.Installed(); }

private:
    static DWORD WINAPI Attributes(LPCWSTR path);
    ImportHook hook_;
};

// A letter made as Wine makes its own drives, a link in the prefix's dosdevices folder, at Make();
// the link goes with the object. Only under Wine.
class WineDriveLetter {
public:
    WineDriveLetter(wchar_t letter, const std::wstring& directory) : letter_(letter), directory_(directory) {}
    ~WineDriveLetter();
    bool Make();

private:
    wchar_t letter_;
    std::wstring directory_;
    std::wstring link_;
};
