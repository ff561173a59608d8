// DefineDosDeviceW that announces drive changes as Windows does.
#include "support/windows_announcements.h"

namespace {
WindowsLikeAnnouncements* g_announcements = nullptr;
}

WindowsLikeAnnouncements::WindowsLikeAnnouncements()
    : hook_("kernel32.dll", "DefineDosDeviceW", reinterpret_cast<void*>(&Define))
{
    g_announcements = this;
}

WindowsLikeAnnouncements::~WindowsLikeAnnouncements()
{
    g_announcements = nullptr;
}

BOOL WINAPI WindowsLikeAnnouncements::Define(DWORD flags, LPCWSTR name, LPCWSTR target)
{
    WindowsLikeAnnouncements* self = g_announcements;
    auto real = reinterpret_cast<decltype(&DefineDosDeviceW)>(self->hook_.Original());
    bool removing = (flags & DDD_REMOVE_DEFINITION) != 0;
    if (!removing && name[0] == self->refused_) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!real(flags, name, target))
        return FALSE;
    if (self->on_ && (flags & DDD_NO_BROADCAST_SYSTEM) == 0 && name[0] >= L'A' && name[0] <= L'Z' && name[1] == L':') {
        self->volume_ = {};
        self->volume_.dbcv_size = sizeof(self->volume_);
        self->volume_.dbcv_devicetype = DBT_DEVTYP_VOLUME;
        self->volume_.dbcv_unitmask = 1u << (name[0] - L'A');
        WPARAM event = removing ? DBT_DEVICEREMOVECOMPLETE : DBT_DEVICEARRIVAL;
        EnumThreadWindows(GetCurrentThreadId(), Announce, static_cast<LPARAM>(event));
    }
    return TRUE;
}

BOOL CALLBACK WindowsLikeAnnouncements::Announce(HWND window, LPARAM event)
{
    ++g_announcements->announced_;
    SendMessageW(window, WM_DEVICECHANGE, static_cast<WPARAM>(event),
                 reinterpret_cast<LPARAM>(&g_announcements->volume_));
    return TRUE;
}
