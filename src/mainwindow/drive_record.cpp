// DriveRecord: the heap block each list row owns.
#include "mainwindow/drive_record.h"

#include "core/bounded_string.h"
#include "core/drive_letter.h"

void AddTrailingBackslash(wchar_t* text, size_t capacity)
{
    size_t length = BoundedLength(text, capacity);
    if (length < kBackslashLimit && length + 1 < capacity && (length == 0 || text[length - 1] != L'\\')) {
        text[length] = L'\\';
        text[length + 1] = L'\0';
    }
}

void FillDriveRecord(wchar_t* record, wchar_t letter, const wchar_t* directory)
{
    record[0] = letter;
    wchar_t* text = record + 1;
    CopyBounded(text, kRecordDirectoryCapacity, directory);
    AddTrailingBackslash(text, kRecordDirectoryCapacity);
    text[0] = NormalizeDriveLetter(text[0]);
}

bool SameDriveRecord(const wchar_t* first, const wchar_t* second)
{
    if (first[0] != second[0])
        return false;
    for (size_t i = 1; i < kDriveRecordUnits; ++i) {
        if (first[i] != second[i])
            return false;
        if (first[i] == L'\0')
            return true;
    }
    return true;
}
