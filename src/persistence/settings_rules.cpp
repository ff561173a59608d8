// Rules of the settings file.
#include "persistence/settings_rules.h"

#include "core/bounded_string.h"
#include "core/drive_letter.h"

namespace {

const wchar_t kSettingsFileName[] = L"Morvex.ini";

const wchar_t* SkipBlanks(const wchar_t* text)
{
    while (*text == L' ' || *text == L'\t')
        ++text;
    return text;
}

// Length of the UTF-8 sequence at bytes, or 0 when it is not a valid one: no overlong forms, no
// surrogates, nothing above U+10FFFF.
size_t Utf8SequenceLength(const unsigned char* bytes, size_t size)
{
    const unsigned char lead = bytes[0];
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (size < length || bytes[1] < low || bytes[1] > high)
        return 0;
    for (size_t i = 2; i < length; ++i) {
        if (bytes[i] < 0x80 || bytes[i] > 0xBF)
            return 0;
    }
    return length;
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

bool IsAutoStartValueOn(const wchar_t* value, size_t length)
{
    return length < 30 && StartsWithIgnoringCase(value, L"True");
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
