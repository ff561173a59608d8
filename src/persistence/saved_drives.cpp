// Re-creating the saved drives.
#include "persistence/saved_drives.h"

#include <windows.h>

#include <cstdint>

#include "core/bounded_string.h"
#include "core/desktop_mirror.h"
#include "core/messages.h"
#include "core/raw_target.h"
#include "core/virtual_drive.h"
#include "res/resource.h"

unsigned long g_dwLateVolumeWait = 60000;

namespace {

// A waiting drive is looked at again this long after the last look answered; answers are
// collected more often, so that a volume that arrives is mapped at once.
constexpr DWORD kRetryInterval = 500;
constexpr DWORD kPollInterval = 50;

enum class Outcome { Mapped, Failed, Waiting };

// One bit per letter, 'A' the lowest; nothing for anything else.
uint32_t LetterMask(wchar_t letter)
{
    return letter >= L'A' && letter <= L'Z' ? 1u << (letter - L'A') : 0;
}

// knownTypes, when given, keeps each letter's drive type plus one (0: not asked yet) for the run's
// first pass: asking the system costs more than the whole look at a present directory.
bool MayArriveLaterAtLogOn(const wchar_t* directory, unsigned* knownTypes = nullptr)
{
    wchar_t root[kTargetCapacity];
    size_t length = PathRootLength(directory);
    if (length == 0 || length >= kTargetCapacity)
        return MayArriveLater(directory, DRIVE_FIXED);
    CopyBounded(root, length + 1, directory);
    const wchar_t letter = DriveLetterOfPath(directory);
    if (knownTypes == nullptr || LetterMask(letter) == 0)
        return MayArriveLater(directory, GetDriveTypeW(root));
    unsigned& known = knownTypes[letter - L'A'];
    if (known == 0)
        known = GetDriveTypeW(root) + 1;
    return MayArriveLater(directory, known - 1);
}

// A late drive's directory is watched by a thread of its own: a look at a server that does not
// answer can block for tens of seconds, and the log-on run must still end on time. The thread
// looks until the directory is there or certainly missing, or until the run stops listening.
enum Answer : LONG { kNone, kPresent, kMissing };

struct Watch {
    wchar_t directory[kTargetCapacity];
    volatile LONG answer;
    volatile LONG listening;
    volatile LONG holders;   // the run and the thread: the last to let go frees the block
};

void LetGo(Watch* watch)
{
    if (InterlockedDecrement(&watch->holders) == 0)
        GlobalFree(watch);
}

DWORD WINAPI WatchDirectory(void* parameter)
{
    auto* watch = static_cast<Watch*>(parameter);
    LONG answer = kNone;
    while (answer == kNone && watch->listening) {
        if (IsDirectory(watch->directory))
            answer = kPresent;
        else if (!MayArriveLaterAtLogOn(watch->directory))
            answer = kMissing;
        else
            Sleep(kRetryInterval);
    }
    InterlockedExchange(&watch->answer, answer);
    LetGo(watch);
    return 0;
}

// Null when no thread could be had.
Watch* StartWatch(const wchar_t* directory)
{
    auto* watch = static_cast<Watch*>(GlobalAlloc(GPTR, sizeof(Watch)));
    if (watch == nullptr)
        return nullptr;
    CopyBounded(watch->directory, kTargetCapacity, directory);
    watch->listening = 1;
    watch->holders = 2;
    HANDLE thread = CreateThread(nullptr, 0, WatchDirectory, watch, 0, nullptr);
    if (thread == nullptr) {
        GlobalFree(watch);
        return nullptr;
    }
    CloseHandle(thread);
    return watch;
}

// At log-on a drive on a volume that may come later (a network or removable drive, a letter not
// there yet) waits; a drive built on a saved drive that failed for good does not.
Outcome TryToMap(const SavedDrive& drive, bool logOn, uint32_t failedLetters, unsigned* knownTypes = nullptr)
{
    if (IsHeldByDevice(drive.letter)) {
        if (logOn)
            ShowError(IDS_LETTER_TAKEN, drive.letter, drive.directory);
        return Outcome::Failed;
    }
    bool onFailedDrive = (failedLetters & LetterMask(DriveLetterOfPath(drive.directory))) != 0;
    if (logOn && !onFailedDrive && MayArriveLaterAtLogOn(drive.directory, knownTypes))
        return Outcome::Waiting;
    return SetVirtualDrive(drive.letter, drive.directory) ? Outcome::Mapped : Outcome::Failed;
}

struct LateDrive {
    bool waiting;
    Watch* watch;
    DWORD nextLook;   // 0 until the watch was started; without a watch, the time of the next look
};

// The answer of the drive's watch once there is one; without a watch, a look now and then on this
// thread. Once the wait is over, what has not arrived, or not answered, is reported missing.
Outcome LookAgain(const SavedDrive& drive, LateDrive* late, bool over, uint32_t failedLetters)
{
    if (late->nextLook == 0) {
        late->nextLook = GetTickCount();
        late->watch = StartWatch(drive.directory);
    }
    LONG answer = kNone;
    if (late->watch != nullptr) {
        answer = InterlockedCompareExchange(&late->watch->answer, kNone, kNone);
    } else if (static_cast<LONG>(GetTickCount() - late->nextLook) >= 0) {
        late->nextLook = GetTickCount() + kRetryInterval;
        answer = IsDirectory(drive.directory) ? kPresent : kNone;
    }
    bool onFailedDrive = (failedLetters & LetterMask(DriveLetterOfPath(drive.directory))) != 0;
    if (answer == kNone && !over && !onFailedDrive)
        return Outcome::Waiting;
    if (late->watch != nullptr) {
        InterlockedExchange(&late->watch->listening, 0);
        LetGo(late->watch);
        late->watch = nullptr;
    }
    if (answer != kNone || onFailedDrive)
        return TryToMap(drive, false, failedLetters);
    ShowError(IDS_INVALID_PATH, drive.directory);
    return Outcome::Failed;
}

bool WaitForLateDrives(const SavedDrive* drives, size_t count, LateDrive (&late)[kMostSavedDrives], DWORD start,
                       uint32_t* failedLetters)
{
    bool allMapped = true;
    for (bool pending = true; pending;) {
        const bool over = GetTickCount() - start >= g_dwLateVolumeWait;
        pending = false;
        for (size_t i = 0; i < count; ++i) {
            if (!late[i].waiting)
                continue;
            Outcome outcome = LookAgain(drives[i], &late[i], over, *failedLetters);
            late[i].waiting = outcome == Outcome::Waiting;
            pending = pending || late[i].waiting;
            allMapped = allMapped && outcome != Outcome::Failed;
            *failedLetters |= outcome == Outcome::Failed ? LetterMask(drives[i].letter) : 0;
        }
        if (pending)
            Sleep(kPollInterval);
    }
    return allMapped;
}

}  // namespace

bool ApplySavedDrives(const SavedDrive* drives, size_t count, bool logOn)
{
    DesktopStartupRun desktop = count > 0 ? StartDesktopStartupRun() : DesktopStartupRun{};
    const DWORD start = GetTickCount();
    // Every drive that can be made is made before a box waits for an answer.
    if (logOn)
        HoldErrors();
    LateDrive late[kMostSavedDrives] = {};
    uint32_t failedLetters = 0;
    unsigned knownTypes[26] = {};
    bool allMapped = true;
    count = count < kMostSavedDrives ? count : kMostSavedDrives;
    for (size_t i = 0; i < count; ++i) {
        Outcome outcome = TryToMap(drives[i], logOn, failedLetters, knownTypes);
        late[i] = {outcome == Outcome::Waiting, nullptr, 0};
        allMapped = allMapped && outcome != Outcome::Failed;
        failedLetters |= outcome == Outcome::Failed ? LetterMask(drives[i].letter) : 0;
    }
    allMapped = WaitForLateDrives(drives, count, late, start, &failedLetters) && allMapped;
    if (logOn)
        ShowHeldErrors();
    return FinishDesktopStartupRun(&desktop) && allMapped;
}
