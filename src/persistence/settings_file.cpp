// The settings file "Morvex.ini", read and written through the private-profile functions.
#include "persistence/settings_file.h"

#include <windows.h>
#include <commctrl.h>

#include "core/app_globals.h"
#include "core/messages.h"
#include "core/virtual_drive.h"
#include "mainwindow/drive_list.h"
#include "persistence/autostart.h"
#include "persistence/settings_rules.h"
#include "res/resource.h"

namespace {

const wchar_t kGeneralSection[] = L"General";
const wchar_t kAutoStartKey[] = L"AutoStart";
const wchar_t kDrivesSection[] = L"Drives";

bool FindSettingsPath(wchar_t (&path)[kModulePathCapacity])
{
    DWORD length = GetModuleFileNameW(g_hInstance, path, kModulePathCapacity);
    return FormSettingsPath(path, length);
}

wchar_t* ResizeSectionBlock(wchar_t* block, size_t units)
{
    return static_cast<wchar_t*>(GlobalReAlloc(block, units * sizeof(wchar_t), GMEM_MOVEABLE));
}

// Null when the buffer cannot be had; the caller then applies nothing. Every read starts from an
// empty section: a file that exists but cannot be opened may leave the buffer as it was.
wchar_t* ReadDrivesSection(const wchar_t* path, DWORD* size)
{
    *size = kSectionReadStep;
    auto* section = static_cast<wchar_t*>(GlobalAlloc(GMEM_FIXED, *size * sizeof(wchar_t)));
    if (section == nullptr)
        return nullptr;
    for (;;) {
        ZeroMemory(section, *size * sizeof(wchar_t));
        if (!SectionWasCut(GetPrivateProfileSectionW(kDrivesSection, section, *size, path), *size))
            return section;
        wchar_t* grown = ResizeSectionBlock(section, *size + kSectionReadStep);
        if (grown == nullptr) {
            GlobalFree(section);
            return nullptr;
        }
        section = grown;
        *size += kSectionReadStep;
    }
}

void ApplyAutoStartChoice(const wchar_t* path)
{
    wchar_t value[kAutoStartValueCapacity] = {};
    DWORD length = GetPrivateProfileStringW(kGeneralSection, kAutoStartKey, L"False", value,
                                            kAutoStartValueCapacity, path);
    if (IsAutoStartValueOn(value, length))
        CheckDlgButton(g_hwndMain, IDC_AUTOSTART, BST_CHECKED);
}

bool ShouldApplySavedDrives(const wchar_t* section, bool startupMode)
{
    if (startupMode)
        return true;
    return g_hwndMain != nullptr && section[0] != L'\0' && DriveRowCount() == 0 &&
           AskYesNo(MB_ICONQUESTION, IDS_LOAD_QUESTION);
}

void ApplySavedDrive(wchar_t letter, const wchar_t* directory, void*)
{
    SetVirtualDrive(letter, directory);
}

// The profile functions create a new file in the ANSI code page, which turns characters outside
// it into '?'. A file that starts with a UTF-16 byte-order mark is kept in UTF-16.
void CreateUnicodeSettingsFile(const wchar_t* path)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const BYTE byteOrderMark[] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(file, byteOrderMark, sizeof(byteOrderMark), &written, nullptr);
    CloseHandle(file);
}

bool WriteDrivesSection(const wchar_t* path)
{
    int count = DriveRowCount();
    SectionBuilder builder = {};
    builder.capacity = kSectionWriteStep;
    builder.units = static_cast<wchar_t*>(GlobalAlloc(GMEM_FIXED, builder.capacity * sizeof(wchar_t)));
    if (builder.units == nullptr)
        return false;
    for (int row = 0; row < count; ++row) {
        const wchar_t* record = DriveRowRecord(row);
        if (record == nullptr)
            continue;
        wchar_t line[kSectionLineCapacity];
        size_t length = BuildDrivesLine(record[0], record + 1, line);
        if (!AppendSectionLine(&builder, line, length, ResizeSectionBlock)) {
            GlobalFree(builder.units);
            return false;
        }
    }
    FinishSection(&builder);
    bool written = WritePrivateProfileSectionW(kDrivesSection, builder.units, path) != 0;
    GlobalFree(builder.units);
    return written;
}

}  // namespace

void LoadSettings(bool startupMode)
{
    wchar_t path[kModulePathCapacity];
    if (FindSettingsPath(path))
        ReadSettingsFile(path, startupMode);
}

bool SaveSettings()
{
    wchar_t path[kModulePathCapacity];
    return FindSettingsPath(path) && WriteSettingsFile(path);
}

void ReadSettingsFile(const wchar_t* path, bool startupMode)
{
    if (g_hwndMain != nullptr && !startupMode)
        ApplyAutoStartChoice(path);
    DWORD size = 0;
    wchar_t* section = ReadDrivesSection(path, &size);
    if (section == nullptr)
        return;
    if (ShouldApplySavedDrives(section, startupMode))
        ForEachDrivesEntry(section, size, ApplySavedDrive, nullptr);
    GlobalFree(section);
}

bool WriteSettingsFile(const wchar_t* path)
{
    if (g_hwndMain == nullptr)
        return false;
    bool checked = IsDlgButtonChecked(g_hwndMain, IDC_AUTOSTART) == BST_CHECKED;
    SetAutoStart(checked);
    CreateUnicodeSettingsFile(path);
    if (!WritePrivateProfileStringW(kGeneralSection, kAutoStartKey, checked ? L"True" : L"False", path))
        return false;
    return WriteDrivesSection(path);
}
