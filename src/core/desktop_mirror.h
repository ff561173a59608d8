// An elevated Morvex beside the desktop's logon session makes each drive there too, so that
// Explorer and every program that is not elevated see what programs run as administrator see.
#pragma once
#include <windows.h>

// How long a run in the desktop's session is waited for, in milliseconds.
extern unsigned long g_dwDesktopRunWait;

// Repeats a define (a directory) or a removal (null) in the desktop's session, when Morvex runs
// elevated beside it, and waits for it. A failure there (the run failed, could not start or did
// not end in time) is reported naming the letter; this session's drive stays as it is. True when
// nothing failed, also when there is nothing to repeat.
bool MirrorDriveToDesktop(wchar_t letter, const wchar_t* directory);

// The saved drives: one quiet log-on run in the desktop's session serves them all. Started before
// this session's own, finished after it.
struct DesktopStartupRun {
    bool active;       // a run was wanted
    bool failed;       // it could not be started
    HANDLE process;    // null when the shell started it
    DWORD startTick;
};
DesktopStartupRun StartDesktopStartupRun();
// Waits for what is left of the wait; a run still waiting for late volumes goes on by itself. A
// run that failed or could not start is reported. True when nothing failed.
bool FinishDesktopStartupRun(DesktopStartupRun* run);
