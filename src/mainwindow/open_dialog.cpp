// One dialog per executable in a log-on session.
#include "mainwindow/open_dialog.h"

#include <cstdint>

#include "core/bounded_string.h"
#include "core/fingerprint.h"
#include "core/logon_path.h"
#include "persistence/settings_rules.h"

namespace {

constexpr size_t kNameCapacity = 64;
// The open dialog may still be starting: its window is looked for this often, this long.
constexpr int kSearchInterval = 50;
constexpr int kSearchAttempts = 100;

// "Morvex-" and a fingerprint of the executable's log-on path in upper case, behind prefix: one
// executable started through a virtual drive or a short name is still the same one.
bool BuildDialogName(const wchar_t* prefix, wchar_t (&name)[kNameCapacity])
{
    wchar_t path[kModulePathCapacity];
    size_t length = LogonPathOfExecutable(path, kModulePathCapacity);
    if (length == 0 || length >= kModulePathLimit)
        return false;
    CharUpperBuffW(path, static_cast<DWORD>(length));
    const uint64_t fingerprint = Fingerprint(kFingerprintStart, path, length);
    return FormatBounded(name, kNameCapacity, L"%sMorvex-%08lX%08lX", prefix,
                         static_cast<unsigned long>(fingerprint >> 32), static_cast<unsigned long>(fingerprint & 0xFFFFFFFF));
}

struct MarkedWindowSearch {
    const wchar_t* mark;
    HWND found;
};

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<MarkedWindowSearch*>(parameter);
    if (GetPropW(window, search->mark) == nullptr)
        return TRUE;
    search->found = window;
    return FALSE;
}

void BringToFront(HWND dialog)
{
    if (IsIconic(dialog))
        ShowWindow(dialog, SW_RESTORE);
    // A message box or the folder picker over the dialog is what the user must answer first.
    SetForegroundWindow(GetLastActivePopup(dialog));
}

}  // namespace

bool ShowOpenDialogOfThisExecutable()
{
    wchar_t mutexName[kNameCapacity];
    wchar_t mark[kNameCapacity];
    if (!BuildDialogName(L"Local\\", mutexName) || !BuildDialogName(L"", mark))
        return false;
    // Owned until the process ends: this executable's dialog is open, or about to be.
    HANDLE mutex = CreateMutexW(nullptr, TRUE, mutexName);
    if (mutex == nullptr || GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    for (int attempt = 0; attempt < kSearchAttempts; ++attempt) {
        // A dialog that was just closed lets go of it as its process ends: then this one opens.
        DWORD wait = WaitForSingleObject(mutex, 0);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
            return false;
        MarkedWindowSearch search = {mark, nullptr};
        EnumWindows(FindMarkedWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            BringToFront(search.found);
            return true;
        }
        Sleep(kSearchInterval);
    }
    return true;
}

void MarkOpenDialog(HWND dialog)
{
    wchar_t mark[kNameCapacity];
    if (BuildDialogName(L"", mark))
        SetPropW(dialog, mark, reinterpret_cast<HANDLE>(1));
}

void UnmarkOpenDialog(HWND dialog)
{
    wchar_t mark[kNameCapacity];
    if (BuildDialogName(L"", mark))
        RemovePropW(dialog, mark);
}
