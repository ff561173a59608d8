// Drives made in the desktop's logon session too, by Morvex's own quiet one-shots.
#include "core/desktop_mirror.h"

#include "core/desktop_session.h"
#include "core/drive_letter.h"
#include "core/messages.h"
#include "res/resource.h"

unsigned long g_dwDesktopRunWait = 10000;

namespace {

enum class RunEnd { Succeeded, Failed, StillRunning };

RunEnd WaitForRun(HANDLE process, DWORD startTick)
{
    DWORD waited = GetTickCount() - startTick;
    DWORD left = waited < g_dwDesktopRunWait ? g_dwDesktopRunWait - waited : 0;
    DWORD exitCode = 1;
    RunEnd end = RunEnd::StillRunning;
    if (WaitForSingleObject(process, left) == WAIT_OBJECT_0)
        end = GetExitCodeProcess(process, &exitCode) && exitCode == 0 ? RunEnd::Succeeded : RunEnd::Failed;
    CloseHandle(process);
    return end;
}

}  // namespace

bool MirrorDriveToDesktop(wchar_t letter, const wchar_t* directory)
{
    if (DesktopSessionKind() != SessionKind::ElevatedBesideDesktop)
        return true;
    wchar_t arguments[2 * kMessageCapacity];
    HANDLE process = nullptr;
    const DWORD startTick = GetTickCount();
    DesktopLaunch launch = BuildMirrorArguments(letter, directory, arguments, 2 * kMessageCapacity)
                               ? LaunchInDesktopSession(arguments, &process)
                               : DesktopLaunch::Failed;
    if (launch == DesktopLaunch::HandedToShell ||
        (launch == DesktopLaunch::Started && WaitForRun(process, startTick) == RunEnd::Succeeded))
        return true;
    wchar_t deviceName[kDeviceNameLength];
    BuildDeviceName(letter, deviceName);
    ShowError(directory != nullptr ? IDS_DESKTOP_DEFINE_FAILED : IDS_DESKTOP_REMOVE_FAILED, deviceName);
    return false;
}

DesktopStartupRun StartDesktopStartupRun()
{
    DesktopStartupRun run = {};
    run.active = DesktopSessionKind() == SessionKind::ElevatedBesideDesktop;
    run.startTick = GetTickCount();
    if (run.active)
        run.failed = LaunchInDesktopSession(kQuietStartupArguments, &run.process) == DesktopLaunch::Failed;
    return run;
}

bool FinishDesktopStartupRun(DesktopStartupRun* run)
{
    if (!run->active)
        return true;
    bool failed = run->failed || (run->process != nullptr && WaitForRun(run->process, run->startTick) == RunEnd::Failed);
    run->active = false;
    run->process = nullptr;
    if (failed)
        ShowError(IDS_DESKTOP_STARTUP_FAILED);
    return !failed;
}
