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

}  // namespace

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
