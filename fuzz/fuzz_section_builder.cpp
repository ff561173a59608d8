// Building the [Drives] section and reading it back gives the same drives.
#include <cstdlib>
#include <string>
#include <utility>

#include "fuzz/fuzz_input.h"
#include "persistence/settings_rules.h"

namespace {

using Entries = std::vector<std::pair<wchar_t, std::wstring>>;

void Collect(wchar_t letter, const wchar_t* directory, void* context)
{
    static_cast<Entries*>(context)->emplace_back(letter, directory);
}

wchar_t* Resize(wchar_t* block, size_t units)
{
    return static_cast<wchar_t*>(std::realloc(block, units * sizeof(wchar_t)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Records: a letter byte, a length byte (times 8), then that many directory units.
    Entries written;
    size_t i = 0;
    while (i + 2 <= size) {
        wchar_t letter = static_cast<wchar_t>(L'A' + data[i] % 26);
        size_t length = static_cast<size_t>(data[i + 1]) * 8;
        i += 2;
        std::wstring directory;
        for (; directory.size() < length && i + 1 < size; i += 2) {
            wchar_t unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
            if (unit == 0 || (directory.empty() && (unit == L' ' || unit == L'\t')))
                unit = L'd';
            directory.push_back(unit);
        }
        written.emplace_back(letter, directory);
    }

    SectionBuilder builder = {};
    builder.capacity = kSectionWriteStep;
    builder.units = static_cast<wchar_t*>(std::malloc(builder.capacity * sizeof(wchar_t)));
    Entries expected;
    for (const auto& entry : written) {
        wchar_t line[kSectionLineCapacity];
        size_t length = BuildDrivesLine(entry.first, entry.second.c_str(), line);
        if (length >= kSectionLineCapacity || !AppendSectionLine(&builder, line, length, Resize))
            std::abort();
        if (builder.used + 2 > builder.capacity)
            std::abort();
        expected.emplace_back(entry.first, entry.second.substr(0, kSectionLineCapacity - 3));
    }
    FinishSection(&builder);

    Entries read;
    ForEachDrivesEntry(builder.units, builder.used + 2, Collect, &read);
    std::free(builder.units);
    if (read != expected)
        std::abort();
    return 0;
}
