// The desktop's logon session, beside the one Morvex runs in: which one that is, and starting
// Morvex's own executable in the desktop's, not elevated.
#pragma once
#include <windows.h>

#include "core/desktop_rules.h"

// Compares Morvex's token with the one of the desktop shell's process. The desktop's session is
// never taken from the linked token: a policy that asks for credentials makes a third session.
SessionKind DesktopSessionKind();

// True for an administrator's ordinary token under UAC: an elevated Morvex would see other drives.
bool IsAdministratorUnderUac();

enum class DesktopLaunch {
    Failed,
    Started,       // *process receives the process, to be waited for and closed
    HandedToShell, // the desktop's shell starts it; nothing can be waited for
};

// Starts the executable (its log-on path) with the arguments in the desktop's session: with the
// shell process's token, else through the desktop shell's own ShellExecute.
DesktopLaunch LaunchInDesktopSession(const wchar_t* arguments, HANDLE* process);
