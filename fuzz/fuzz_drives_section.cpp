// The walk over a [Drives] section as the profile functions deliver it, with arbitrary units.
#include <cstdlib>

#include "fuzz/fuzz_input.h"
#include "persistence/settings_rules.h"

namespace {

struct Walk {
    const wchar_t* begin;
    const wchar_t* end;
    size_t entries;
};

void CheckEntry(wchar_t letter, const wchar_t* directory, void* context)
{
    auto* walk = static_cast<Walk*>(context);
    // The directory must lie inside the buffer and end with a terminator inside it.
    if (directory < walk->begin || directory >= walk->end)
        std::abort();
    const wchar_t* p = directory;
    while (p < walk->end && *p != 0)
        ++p;
    if (p == walk->end)
        std::abort();
    if (letter == 0)
        std::abort();
    ++walk->entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<wchar_t> units = ToUnits(data, size);
    Walk walk = {units.data(), units.data() + units.size(), 0};
    ForEachDrivesEntry(units.data(), units.size(), CheckEntry, &walk);
    if (walk.entries > units.size())
        std::abort();
    return 0;
}
