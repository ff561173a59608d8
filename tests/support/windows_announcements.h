// Makes DefineDosDeviceW announce drive changes the way Windows does, through this test
// program's import table: after the real call succeeds, WM_DEVICECHANGE is sent at once, from
// inside the call, to every top-level window of the calling thread. Wine never announces.
#pragma once
#include <windows.h>
#include <dbt.h>

#include "import_hook/import_hook.h"

class WindowsLikeAnnouncements {
public:
    WindowsLikeAnnouncements();
    ~WindowsLikeAnnouncements();
    WindowsLikeAnnouncements(const WindowsLikeAnnouncements&) = delete;
    WindowsLikeAnnouncements& operator=(const WindowsLikeAnnouncements&) = delete;

    bool Installed() const { return hook_.Installed(); }
    // False: announce nothing, as Wine does, or as when another program changes drives.
    void AnnounceLikeWindows(bool on) { on_ = on; }
    // From now on the system refuses to define this letter (removing it still works).
    void RefuseDefinitionsOf(wchar_t letter) { refused_ = letter; }
    int Announced() const { return announced_; }

private:
    static BOOL WINAPI Define(DWORD flags, LPCWSTR name, LPCWSTR target);
    static BOOL CALLBACK Announce(HWND window, LPARAM event);

    ImportHook hook_;
    bool on_ = true;
    wchar_t refused_ = 0;
    int announced_ = 0;
    DEV_BROADCAST_VOLUME volume_ = {};
};
