// The saved drives' directories, by letter, for the rows of drives that are not mapped now.
#include "mainwindow/saved_drive_rows.h"

#include <windows.h>

#include "core/bounded_string.h"
#include "core/drive_letter.h"
#include "mainwindow/dialog_rules.h"
#include "mainwindow/drive_list.h"

namespace {

// Null for a letter without a saved drive.
wchar_t* g_savedDirectories[26];

}  // namespace

const wchar_t* SavedDirectoryOf(wchar_t letter)
{
    return IsUpperDriveLetter(letter) ? g_savedDirectories[letter - L'A'] : nullptr;
}

void ForgetSavedDrives()
{
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter)
        ForgetSavedDrive(letter);
}

void RememberSavedDrive(wchar_t letter, const wchar_t* directory)
{
    ForgetSavedDrive(letter);
    size_t length = BoundedLength(directory, kRecordDirectoryCapacity);
    if (!IsUpperDriveLetter(letter) || length == 0 || length == kRecordDirectoryCapacity)
        return;
    auto* copy = static_cast<wchar_t*>(GlobalAlloc(GMEM_FIXED, (length + 1) * sizeof(wchar_t)));
    if (copy != nullptr)
        CopyBounded(copy, length + 1, directory);
    g_savedDirectories[letter - L'A'] = copy;
}

void ForgetSavedDrive(wchar_t letter)
{
    if (!IsUpperDriveLetter(letter) || g_savedDirectories[letter - L'A'] == nullptr)
        return;
    GlobalFree(g_savedDirectories[letter - L'A']);
    g_savedDirectories[letter - L'A'] = nullptr;
}

void AddSavedDriveRows()
{
    uint32_t withoutRow = 0;
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        if (SavedDirectoryOf(letter) != nullptr && FindDriveRow(letter) < 0)
            withoutRow |= LetterBit(letter);
    }
    RefreshDriveRows(withoutRow);
}

int ConnectedDriveCount()
{
    int connected = 0;
    for (int row = 0; row < DriveRowCount(); ++row) {
        const DriveRecord* record = DriveRowRecord(row);
        connected += record != nullptr && record->state == DriveState::Connected ? 1 : 0;
    }
    return connected;
}
