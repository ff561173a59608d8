// Rules of the settings file.
#include "persistence/settings_rules.h"

#include "core/bounded_string.h"
#include "core/drive_letter.h"
#include "core/raw_target.h"

namespace {

const wchar_t kSettingsFileName[] = L"Morvex.ini";

const wchar_t* SkipBlanks(const wchar_t* text)
{
    while (*text == L' ' || *text == L'\t')
        ++text;
    return text;
}

// The well-formed UTF-8 sequences by their first byte: the sequence's length and the range of its
// second byte, which rules out overlong forms, surrogates and anything above U+10FFFF. Every
// later byte lies in 80..BF.
struct Utf8Lead {
    unsigned char first, last;
    size_t length;
    unsigned char low, high;
};
constexpr Utf8Lead kUtf8Leads[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

// Length of the UTF-8 sequence at bytes, or 0 when it is not a well-formed one.
size_t Utf8SequenceLength(const unsigned char* bytes, size_t size)
{
    if (bytes[0] < 0x80)
        return 1;
    for (const Utf8Lead& lead : kUtf8Leads) {
        if (bytes[0] < lead.first || bytes[0] > lead.last)
            continue;
        if (size < lead.length || bytes[1] < lead.low || bytes[1] > lead.high)
            return 0;
        for (size_t i = 2; i < lead.length; ++i) {
            if (bytes[i] < 0x80 || bytes[i] > 0xBF)
                return 0;
        }
        return lead.length;
    }
    return 0;
}

}  // namespace

SettingsEncoding DetectSettingsEncoding(const unsigned char* bytes, size_t size)
{
    if (size >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF)))
        return SettingsEncoding::Utf16;
    bool plainAscii = true;
    for (size_t position = 0; position < size;) {
        size_t length = Utf8SequenceLength(bytes + position, size - position);
        if (length == 0)
            return SettingsEncoding::Ansi;
        plainAscii = plainAscii && length == 1;
        position += length;
    }
    return plainAscii ? SettingsEncoding::Ansi : SettingsEncoding::Utf8;
}

size_t Utf8MarkLength(const unsigned char* bytes, size_t size)
{
    return size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
}

bool FormSettingsPath(wchar_t* path, size_t length)
{
    if (length == 0 || length >= kModulePathLimit)
        return false;
    size_t nameStart = 0;
    for (size_t i = length; i > 0; --i) {
        if (path[i - 1] == L'\\') {
            nameStart = i;
            break;
        }
    }
    CopyBounded(path + nameStart, kModulePathCapacity - nameStart, kSettingsFileName);
    return true;
}

bool DecodeSettingsBytes(const unsigned char* bytes, size_t size, wchar_t* units, size_t* count, AnsiDecoder decodeAnsi)
{
    units[0] = 0xFEFF;
    *count = 1;
    switch (DetectSettingsEncoding(bytes, size)) {
    case SettingsEncoding::Utf16: {
        const bool bigEndian = bytes[0] == 0xFE;
        for (size_t i = 2; i + 1 < size; i += 2)
            units[(*count)++] = static_cast<wchar_t>(bigEndian ? bytes[i] << 8 | bytes[i + 1] : bytes[i + 1] << 8 | bytes[i]);
        return true;
    }
    case SettingsEncoding::Utf8:
        for (size_t position = Utf8MarkLength(bytes, size); position < size;) {
            const size_t length = Utf8SequenceLength(bytes + position, size - position);
            if (length == 0)
                return false;
            unsigned long point = length == 1 ? bytes[position] : bytes[position] & (0x7Fu >> length);
            for (size_t i = 1; i < length; ++i)
                point = point << 6 | (bytes[position + i] & 0x3Fu);
            if (point >= 0x10000) {
                units[(*count)++] = static_cast<wchar_t>(0xD800 + ((point - 0x10000) >> 10));
                point = 0xDC00 + (point & 0x3FF);
            }
            units[(*count)++] = static_cast<wchar_t>(point);
            position += length;
        }
        return true;
    case SettingsEncoding::Ansi: {
        size_t decoded = 0;
        if (size > 0 && !decodeAnsi(bytes, size, units + 1, size, &decoded))
            return false;
        *count += decoded;
        return true;
    }
    }
    return false;
}

bool ShouldWaitForFile(unsigned long error, unsigned long elapsedMilliseconds)
{
    // Sharing and lock violations; Windows' ReplaceFileW reports a replaced file held open as
    // "unable to remove replaced", and a replacement it could not move in as "unable to move
    // replacement" (1176, 1177) once the old file has been put back.
    const bool passingLock = error == 32 || error == 33 || (error >= 1175 && error <= 1177);
    return passingLock && elapsedMilliseconds < 2000;
}

bool ParseDrivesLine(const wchar_t* line, wchar_t* letter, const wchar_t** directory)
{
    if (line[0] == L'\0')
        return false;
    const wchar_t* rest = SkipBlanks(line + 1);
    if (*rest != L'=')
        return false;
    *letter = NormalizeDriveLetter(line[0]);
    *directory = SkipBlanks(rest + 1);
    return true;
}

bool SectionWasCut(size_t reportedUnits, size_t bufferUnits)
{
    return bufferUnits >= 2 && reportedUnits == bufferUnits - 2;
}

void ForEachDrivesEntry(const wchar_t* section, size_t size,
                        void (*apply)(wchar_t letter, const wchar_t* directory, void* context), void* context)
{
    size_t position = 0;
    while (position < size && section[position] != L'\0') {
        const wchar_t* line = section + position;
        size_t length = BoundedLength(line, size - position);
        if (position + length == size)
            return;
        wchar_t letter = 0;
        const wchar_t* directory = nullptr;
        if (ParseDrivesLine(line, &letter, &directory))
            apply(letter, directory, context);
        position += length + 1;
    }
}

size_t BuildDrivesLine(wchar_t letter, const wchar_t* directory, wchar_t* line)
{
    line[0] = letter;
    line[1] = L'=';
    CopyBounded(line + 2, kSectionLineCapacity - 2, directory);
    return BoundedLength(line, kSectionLineCapacity);
}

bool AppendSectionLine(SectionBuilder* builder, const wchar_t* line, size_t length, SectionResizer resize)
{
    if (builder->capacity - builder->used < length + 4) {
        size_t grown = builder->capacity + kSectionWriteStep;
        wchar_t* units = resize(builder->units, grown);
        if (units == nullptr)
            return false;
        builder->units = units;
        builder->capacity = grown;
    }
    for (size_t i = 0; i < length; ++i)
        builder->units[builder->used + i] = line[i];
    builder->units[builder->used + length] = L'\0';
    builder->used += length + 1;
    return true;
}

void FinishSection(SectionBuilder* builder)
{
    builder->units[builder->used] = L'\0';
    builder->units[builder->used + 1] = L'\0';
}

namespace {

struct PlanCollector {
    SavedDrive* drives;
    size_t count;
};

void CollectSavedDrive(wchar_t letter, const wchar_t* directory, void* context)
{
    auto* plan = static_cast<PlanCollector*>(context);
    if (!IsUpperDriveLetter(letter))
        return;
    for (size_t i = 0; i < plan->count; ++i) {
        if (plan->drives[i].letter == letter) {
            plan->drives[i].directory = directory;
            return;
        }
    }
    plan->drives[plan->count++] = {letter, directory};
}

// Drive types as GetDriveTypeW reports them.
constexpr unsigned kDriveUnknown = 0, kDriveNoRootDir = 1, kDriveRemovable = 2, kDriveRemote = 4, kDriveCdRom = 5;

}  // namespace

size_t PlanSavedDrives(const wchar_t* section, size_t size, SavedDrive (&drives)[kMostSavedDrives])
{
    SavedDrive fileOrder[kMostSavedDrives];
    PlanCollector collector = {fileOrder, 0};
    ForEachDrivesEntry(section, size, CollectSavedDrive, &collector);
    bool placed[kMostSavedDrives] = {};
    size_t count = 0;
    while (count < collector.count) {
        size_t before = count;
        for (size_t i = 0; i < collector.count; ++i) {
            wchar_t base = DriveLetterOfPath(fileOrder[i].directory);
            bool waitsForBase = false;
            for (size_t j = 0; j < collector.count; ++j)
                waitsForBase = waitsForBase || (!placed[j] && j != i && fileOrder[j].letter == base);
            if (!placed[i] && !waitsForBase) {
                placed[i] = true;
                drives[count++] = fileOrder[i];
            }
        }
        // Drives built on each other in a circle: the first of them goes, the others after it.
        for (size_t i = 0; count == before && i < collector.count; ++i) {
            if (!placed[i]) {
                placed[i] = true;
                drives[count++] = fileOrder[i];
            }
        }
    }
    return count;
}

bool MayArriveLater(const wchar_t* directory, unsigned driveType)
{
    bool unc = (directory[0] == L'\\' && directory[1] == L'\\' && directory[2] != L'?' && directory[2] != L'.') ||
               StartsWithIgnoringCase(directory, L"\\\\?\\UNC\\");
    return unc || driveType == kDriveUnknown || driveType == kDriveNoRootDir || driveType == kDriveRemovable ||
           driveType == kDriveRemote || driveType == kDriveCdRom;
}
