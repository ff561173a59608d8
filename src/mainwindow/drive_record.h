// DriveRecord: the heap block each list row owns. Unit 0 is the drive letter, from unit 1 on
// the NUL-terminated directory in the form the list shows.
#pragma once
#include <cstddef>

constexpr size_t kDriveRecordUnits = 1025;
constexpr size_t kRecordDirectoryCapacity = kDriveRecordUnits - 1;

// Directories shorter than this get a trailing backslash; longer ones are kept as they are.
constexpr size_t kBackslashLimit = 259;

// Appends a backslash to the directory in text (capacity units) when it is shorter than
// kBackslashLimit and does not end in one already.
void AddTrailingBackslash(wchar_t* text, size_t capacity);

// Stores letter and directory into record (kDriveRecordUnits units): the directory cut to fit,
// its first unit upper-cased, and a backslash appended when it is missing and the directory
// is shorter than 259 units.
void FillDriveRecord(wchar_t* record, wchar_t letter, const wchar_t* directory);

// True when both records hold the same letter and directory.
bool SameDriveRecord(const wchar_t* first, const wchar_t* second);
