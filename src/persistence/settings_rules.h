// Rules of the settings file that do not need the window system: where it lies, how its bytes
// are decoded, when a replace is tried again, the syntax of a [Drives] line, and the section as
// the profile functions exchange it (NUL-terminated lines closed by an empty line), walked after
// reading and built for writing.
#pragma once
#include <cstddef>

// Module paths are accepted only when shorter than 1024 units. They are read into buffers of
// 1036: room for the longest accepted path with " /startup" and its quotes behind it (1035).
constexpr size_t kModulePathCapacity = 1036;
constexpr size_t kModulePathLimit = 1024;

// path holds the executable's path of length units (as the system reported it) in a buffer of
// kModulePathCapacity units. Replaces the file name by "Morvex.ini"; false when the length is 0
// or kModulePathLimit or more, and the path is then left alone.
bool FormSettingsPath(wchar_t* path, size_t length);

// How a file's bytes are to be read. The profile functions keep a file that starts with a UTF-16
// byte-order mark in UTF-16 and read any other one in the ANSI code page, which misreads UTF-8.
enum class SettingsEncoding { Utf16, Utf8, Ansi };

// Utf16 when the file starts with a UTF-16 byte-order mark (either order); Utf8 for bytes that
// are valid UTF-8 and not plain ASCII (a UTF-8 byte-order mark included); Ansi for the rest.
SettingsEncoding DetectSettingsEncoding(const unsigned char* bytes, size_t size);

// Bytes of a UTF-8 byte-order mark at the start: 3, or 0 when there is none.
size_t Utf8MarkLength(const unsigned char* bytes, size_t size);

// Decodes text in the ANSI code page into at most capacity units; false when it cannot.
using AnsiDecoder = bool (*)(const unsigned char* bytes, size_t size, wchar_t* units, size_t capacity, size_t* count);

// A file's text as UTF-16 units behind a byte-order mark, ready for a UTF-16 copy: UTF-16 in
// either byte order (a last odd byte is dropped), UTF-8 behind its mark or none, or ANSI through
// decodeAnsi. units needs room for size + 1 of them; *count receives how many were stored.
bool DecodeSettingsBytes(const unsigned char* bytes, size_t size, wchar_t* units, size_t* count, AnsiDecoder decodeAnsi);

constexpr size_t kAutoStartValueCapacity = 32;

// A scanner, the indexer or a sync client may hold a file for a moment: every open of a save, and
// the replace, that met a sharing or lock violation is tried again every kFileRetryInterval ms
// for 2 seconds.
constexpr unsigned long kFileRetryInterval = 100;
bool ShouldWaitForFile(unsigned long error, unsigned long elapsedMilliseconds);

// Takes a NUL-terminated line apart. The letter is upper-cased but not validated; blanks and
// tabs around "=" are skipped; the directory is the rest of the line, possibly empty.
// False when no "=" follows the letter (such lines count for nothing).
bool ParseDrivesLine(const wchar_t* line, wchar_t* letter, const wchar_t** directory);

constexpr size_t kSectionReadStep = 1024;
// A line is the letter, "=" and a directory of at most 1033 units, with its terminator: 1036.
constexpr size_t kSectionWriteStep = 1036;
constexpr size_t kSectionLineCapacity = 1036;

// Reading grows its buffer while the system reports a cut section (a count of size - 2).
bool SectionWasCut(size_t reportedUnits, size_t bufferUnits);

// Calls apply(letter, directory, context) for every line with its "=", in order. Reads no more
// than size units; a last line without its terminator inside the buffer is not applied.
void ForEachDrivesEntry(const wchar_t* section, size_t size,
                        void (*apply)(wchar_t letter, const wchar_t* directory, void* context), void* context);

// Grows a heap block to units, keeping its contents; null when that fails (the block stays).
using SectionResizer = wchar_t* (*)(wchar_t* block, size_t units);

struct SectionBuilder {
    wchar_t* units;
    size_t capacity;
    size_t used;
};

// Builds "X=directory" into line (kSectionLineCapacity units); returns its length.
size_t BuildDrivesLine(wchar_t letter, const wchar_t* directory, wchar_t* line);

// Adds a line with its terminator, growing the block by kSectionWriteStep when the line and a
// reserve of 4 units would not fit. False when growing failed; nothing is added then.
bool AppendSectionLine(SectionBuilder* builder, const wchar_t* line, size_t length, SectionResizer resize);

// Closes the section with the empty line (two terminators); an empty section is just those two.
void FinishSection(SectionBuilder* builder);

// --- Applying the saved drives

struct SavedDrive {
    wchar_t letter;              // 'A'..'Z'
    const wchar_t* directory;    // points into the section
};
constexpr size_t kMostSavedDrives = 26;

// The section's drives, one per letter (a later line of a letter replaces the earlier one;
// letters outside 'A'..'Z' count for nothing), in the order they are to be applied: file order,
// except that a drive whose directory lies on another saved letter comes after that letter's.
size_t PlanSavedDrives(const wchar_t* section, size_t size, SavedDrive (&drives)[kMostSavedDrives]);

// A directory that cannot be reached at log-on may be a volume that is not there yet: a UNC path,
// or one whose root the system reports (driveType as GetDriveTypeW gives it) as missing,
// unknown, network or removable. A missing folder on a fixed volume that is there is final.
bool MayArriveLater(const wchar_t* directory, unsigned driveType);
