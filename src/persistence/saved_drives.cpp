// Re-creating the saved drives.
#include "persistence/saved_drives.h"

#include <windows.h>

#include "core/bounded_string.h"
#include "core/desktop_mirror.h"
#include "core/messages.h"
#include "core/raw_target.h"
#include "core/virtual_drive.h"
#include "res/resource.h"

unsigned long g_dwLateVolumeWait = 60000;

namespace {

constexpr DWORD kRetryInterval = 500;

enum class Outcome { Mapped, Failed, Waiting };

bool MayArriveLaterAtLogOn(const wchar_t* directory)
{
    wchar_t root[kTargetCapacity];
    size_t length = PathRootLength(directory);
    if (length == 0 || length >= kTargetCapacity)
        return MayArriveLater(directory, DRIVE_FIXED);
    CopyBounded(root, length + 1, directory);
    return MayArriveLater(directory, GetDriveTypeW(root));
}

// lastTry: the wait is over, and a directory still missing is reported like any other.
Outcome TryToMap(const SavedDrive& drive, bool logOn, bool lastTry)
{
    if (IsHeldByDevice(drive.letter)) {
        if (logOn)
            ShowError(IDS_LETTER_TAKEN, drive.letter, drive.directory);
        return Outcome::Failed;
    }
    if (logOn && !lastTry && !IsDirectory(drive.directory) && MayArriveLaterAtLogOn(drive.directory))
        return Outcome::Waiting;
    return SetVirtualDrive(drive.letter, drive.directory) ? Outcome::Mapped : Outcome::Failed;
}

}  // namespace

bool ApplySavedDrives(const SavedDrive* drives, size_t count, bool logOn)
{
    DesktopStartupRun desktop = count > 0 ? StartDesktopStartupRun() : DesktopStartupRun{};
    const DWORD start = GetTickCount();
    bool waiting[kMostSavedDrives] = {};
    size_t pending = 0;
    bool allMapped = true;
    for (size_t i = 0; i < count && i < kMostSavedDrives; ++i) {
        Outcome outcome = TryToMap(drives[i], logOn, false);
        waiting[i] = outcome == Outcome::Waiting;
        pending += waiting[i] ? 1 : 0;
        allMapped = allMapped && outcome != Outcome::Failed;
    }
    while (pending > 0) {
        bool lastTry = GetTickCount() - start >= g_dwLateVolumeWait;
        if (!lastTry)
            Sleep(kRetryInterval);
        for (size_t i = 0; i < count && i < kMostSavedDrives; ++i) {
            if (!waiting[i])
                continue;
            Outcome outcome = TryToMap(drives[i], logOn, lastTry);
            if (outcome == Outcome::Waiting)
                continue;
            waiting[i] = false;
            --pending;
            allMapped = allMapped && outcome == Outcome::Mapped;
        }
    }
    return FinishDesktopStartupRun(&desktop) && allMapped;
}
