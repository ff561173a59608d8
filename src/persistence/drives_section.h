// The [Drives] section as the profile functions exchange it: NUL-terminated lines,
// closed by an empty line. Building it for writing, and walking it after reading.
#pragma once
#include <cstddef>

constexpr size_t kSectionReadStep = 1024;
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
