// The settings file "Morvex.ini", read and written through the private-profile functions.
#include "persistence/settings_file.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <cwchar>

#include "core/app_globals.h"
#include "core/bounded_string.h"
#include "core/final_path.h"
#include "core/fingerprint.h"
#include "core/messages.h"
#include "core/virtual_drive.h"
#include "mainwindow/drive_list.h"
#include "mainwindow/saved_drive_rows.h"
#include "persistence/autostart.h"
#include "persistence/saved_drives.h"
#include "persistence/settings_copy.h"
#include "persistence/settings_replace.h"
#include "persistence/settings_rules.h"
#include "res/resource.h"

namespace {

const wchar_t kGeneralSection[] = L"General";
const wchar_t kAutoStartKey[] = L"AutoStart";
const wchar_t kDrivesSection[] = L"Drives";
const wchar_t kNewFileSuffix[] = L".new";

bool FindSettingsPath(wchar_t (&path)[kModulePathCapacity])
{
    DWORD length = ExecutablePath(path, kModulePathCapacity);
    return FormSettingsPath(path, length);
}

wchar_t* ResizeSectionBlock(wchar_t* block, size_t units)
{
    return static_cast<wchar_t*>(GlobalReAlloc(block, units * sizeof(wchar_t), GMEM_MOVEABLE));
}

// A section, or the list of section names when section is null, whole in a heap block of *size
// units; null when the buffer cannot be had. Every read starts from an empty block: a file that
// exists but cannot be opened may leave the buffer as it was.
wchar_t* ReadWholeSection(const wchar_t* path, const wchar_t* section, DWORD* size)
{
    *size = kSectionReadStep;
    auto* units = static_cast<wchar_t*>(GlobalAlloc(GMEM_FIXED, *size * sizeof(wchar_t)));
    if (units == nullptr)
        return nullptr;
    for (;;) {
        ZeroMemory(units, *size * sizeof(wchar_t));
        DWORD read = section != nullptr ? GetPrivateProfileSectionW(section, units, *size, path)
                                        : GetPrivateProfileSectionNamesW(units, *size, path);
        if (!SectionWasCut(read, *size))
            return units;
        wchar_t* grown = ResizeSectionBlock(units, *size + kSectionReadStep);
        if (grown == nullptr) {
            GlobalFree(units);
            return nullptr;
        }
        units = grown;
        *size += kSectionReadStep;
    }
}

// The box as the dialog showed it once the file was read, and which dialog that was: Close
// changes the Run value only where the user changed the box since.
struct ShownAutoStart {
    HWND dialog;
    bool checked;
};
ShownAutoStart g_shownAutoStart = {};

// The box says what the next log-on will do, whatever the file says: a value written at once by
// a tick may have been left by the caption's close box, which saves nothing.
void ApplyAutoStartChoice()
{
    if (IsAutoStartRegistered())
        CheckDlgButton(g_hwndMain, IDC_AUTOSTART, BST_CHECKED);
    g_shownAutoStart = {g_hwndMain, IsDlgButtonChecked(g_hwndMain, IDC_AUTOSTART) == BST_CHECKED};
}

// The dialog keeps every saved drive in its list, and offers to map them when none is mapped.
bool OfferSavedDrives(const SavedDrive* drives, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        RememberSavedDrive(drives[i].letter, drives[i].directory);
    if (count == 0 || ConnectedDriveCount() != 0 || !AskYesNo(MB_ICONQUESTION, IDS_LOAD_QUESTION))
        return false;
    ApplySavedDrives(drives, count, false);
    return true;
}

bool ReadSettingsFrom(const wchar_t* path, bool startupMode)
{
    bool dialog = g_hwndMain != nullptr && !startupMode;
    if (dialog)
        ApplyAutoStartChoice();
    DWORD size = 0;
    wchar_t* section = ReadWholeSection(path, kDrivesSection, &size);
    if (section == nullptr)
        return false;
    SavedDrive drives[kMostSavedDrives];
    size_t count = PlanSavedDrives(section, size, drives);
    bool applied = false;
    if (startupMode)
        applied = ApplySavedDrives(drives, count, true);
    else if (dialog)
        applied = OfferSavedDrives(drives, count);
    GlobalFree(section);
    return applied;
}

// The Drives section from the list's rows, in a heap block; false when it cannot be had.
bool BuildDrivesSection(SectionBuilder* builder)
{
    builder->capacity = kSectionWriteStep;
    builder->used = 0;
    builder->units = static_cast<wchar_t*>(GlobalAlloc(GMEM_FIXED, builder->capacity * sizeof(wchar_t)));
    if (builder->units == nullptr)
        return false;
    int count = DriveRowCount();
    for (int row = 0; row < count; ++row) {
        const DriveRecord* record = DriveRowRecord(row);
        if (record == nullptr)
            continue;
        wchar_t line[kSectionLineCapacity];
        size_t length = BuildDrivesLine(record->letter, record->directory, line);
        if (!AppendSectionLine(builder, line, length, ResizeSectionBlock)) {
            GlobalFree(builder->units);
            return false;
        }
    }
    FinishSection(builder);
    return true;
}

// Every section but the two the program writes, names and lines as the profile functions read
// them: a rewrite that was cut short shows in this fingerprint too.
bool FingerprintOtherSections(const wchar_t* path, uint64_t* fingerprint)
{
    DWORD namesSize = 0;
    wchar_t* names = ReadWholeSection(path, nullptr, &namesSize);
    if (names == nullptr)
        return false;
    bool read = true;
    *fingerprint = kFingerprintStart;
    for (const wchar_t* name = names; read && *name != L'\0'; name += wcslen(name) + 1) {
        if (lstrcmpiW(name, kGeneralSection) == 0 || lstrcmpiW(name, kDrivesSection) == 0)
            continue;
        DWORD size = 0;
        wchar_t* section = ReadWholeSection(path, name, &size);
        read = section != nullptr;
        if (read) {
            *fingerprint = Fingerprint(*fingerprint, name, wcslen(name) + 1);
            *fingerprint = Fingerprint(*fingerprint, section, size);
            GlobalFree(section);
        }
    }
    GlobalFree(names);
    return read;
}

// The file on disk holds what was written, whole: the AutoStart value, every Drives line, and
// the other sections as they were.
bool ReadsBackWhole(const wchar_t* path, const wchar_t* autoStart, const SectionBuilder& drives,
                    uint64_t otherSections)
{
    // Null section, key and value flush the profile functions' cache, so the reads below see the disk.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path);
    wchar_t value[kAutoStartValueCapacity] = {};
    GetPrivateProfileStringW(kGeneralSection, kAutoStartKey, L"", value, kAutoStartValueCapacity, path);
    DWORD size = 0;
    wchar_t* section = ReadWholeSection(path, kDrivesSection, &size);
    bool whole = section != nullptr && lstrcmpW(value, autoStart) == 0 && drives.used + 1 <= size &&
                 memcmp(section, drives.units, (drives.used + 1) * sizeof(wchar_t)) == 0;
    if (section != nullptr)
        GlobalFree(section);
    uint64_t otherSectionsNow = 0;
    return whole && FingerprintOtherSections(path, &otherSectionsNow) && otherSectionsNow == otherSections;
}

// Writes both sections into the file through the profile functions and reads them back whole.
// Each of those calls opens the file: a program that holds it is waited for as at every open.
bool WriteCheckedSections(const wchar_t* file, const wchar_t* autoStart, const SectionBuilder& drives)
{
    const DWORD start = GetTickCount();
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        uint64_t otherSections = 0;
        if (FingerprintOtherSections(file, &otherSections) &&
            WritePrivateProfileStringW(kGeneralSection, kAutoStartKey, autoStart, file) &&
            WritePrivateProfileSectionW(kDrivesSection, drives.units, file) &&
            ReadsBackWhole(file, autoStart, drives, otherSections))
            return true;
        if (!ShouldWaitForFile(GetLastError(), GetTickCount() - start))
            return false;
        Sleep(kFileRetryInterval);
    }
}

// The new file is written beside the file that the path finally names, which it replaces once it
// reads back whole: a write cut short (a full disk) must not take with it what stood behind the cut.
bool ReplaceSettingsFile(const wchar_t* path, const wchar_t* autoStart, const SectionBuilder& drives)
{
    SettingsTarget target;
    wchar_t newPath[kSiblingPathCapacity];
    if (!FindSettingsTarget(path, &target) || !SiblingPath(target.path, kNewFileSuffix, newPath))
        return false;
    // The list that a save cut between the two names left goes in place first, with all it holds.
    if (!target.exists && IsStrandedSave(target.path, newPath)) {
        if (!MoveFileExW(newPath, target.path, MOVEFILE_WRITE_THROUGH))
            return false;
        target.exists = true;
    }
    HANDLE file = OpenHeldFile(newPath, GENERIC_WRITE, 0, CREATE_ALWAYS);
    // A folder may let the user write the file but create none beside it: it is written where it is.
    if (file == INVALID_HANDLE_VALUE)
        return WriteCheckedSections(path, autoStart, drives) && FlushToDisk(path);
    bool copied = WriteUnicodeCopy(target.path, file, true);
    CloseHandle(file);
    bool checked = copied && WriteCheckedSections(newPath, autoStart, drives);
    bool replaced = checked && PutInPlace(newPath, target);
    // What is left of the new file goes, unless it is the only copy of the list: the old file could
    // neither be replaced nor put back.
    if (!checked || GetFileAttributesW(target.path) != INVALID_FILE_ATTRIBUTES)
        DeleteFileW(newPath);
    return replaced;
}

}  // namespace

bool LoadSettings(bool startupMode)
{
    wchar_t path[kModulePathCapacity];
    return FindSettingsPath(path) && ReadSettingsFile(path, startupMode);
}

bool SaveSettings()
{
    wchar_t path[kModulePathCapacity];
    return FindSettingsPath(path) && WriteSettingsFile(path);
}

bool ReadSettingsFile(const wchar_t* path, bool startupMode)
{
    // A save cut between its two names left the list in the new file alone.
    wchar_t newPath[kSiblingPathCapacity];
    if (SiblingPath(path, kNewFileSuffix, newPath) && IsStrandedSave(path, newPath))
        path = newPath;
    // A UTF-8 file (Notepad's default) is read through a UTF-16 copy; the file itself stays as it is.
    wchar_t copy[MAX_PATH];
    if (IsUtf8SettingsFile(path) && MakeTemporaryUnicodeCopy(path, copy)) {
        bool applied = ReadSettingsFrom(copy, startupMode);
        DeleteFileW(copy);
        return applied;
    }
    return ReadSettingsFrom(path, startupMode);
}

bool WriteSettingsFile(const wchar_t* path)
{
    if (g_hwndMain == nullptr)
        return false;
    bool checked = IsDlgButtonChecked(g_hwndMain, IDC_AUTOSTART) == BST_CHECKED;
    // A dialog that never read the file showed no choice: its box applies as it stands.
    bool shown = g_shownAutoStart.dialog == g_hwndMain ? g_shownAutoStart.checked : !checked;
    ApplyAutoStartAtClose(checked, shown);
    SectionBuilder drives = {};
    if (!BuildDrivesSection(&drives))
        return false;
    bool written = ReplaceSettingsFile(path, checked ? L"True" : L"False", drives);
    GlobalFree(drives.units);
    return written;
}
