// DriveRecord: the heap block each list row owns.
#include "mainwindow/drive_record.h"

#include "core/bounded_string.h"
#include "core/drive_letter.h"

namespace {
// Longer directories already need their full form; they are kept exactly as reported.
constexpr size_t kBackslashLimit = 259;
}

void FillDriveRecord(wchar_t* record, wchar_t letter, const wchar_t* directory)
{
    record[0] = letter;
    wchar_t* text = record + 1;
    CopyBounded(text, kRecordDirectoryCapacity, directory);
    size_t length = BoundedLength(text, kRecordDirectoryCapacity);
    if (length < kBackslashLimit && (length == 0 || text[length - 1] != L'\\')) {
        text[length] = L'\\';
        text[length + 1] = L'\0';
    }
    text[0] = NormalizeDriveLetter(text[0]);
}
