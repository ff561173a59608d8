// The walk over a [Drives] section as the profile functions deliver it, with arbitrary units.
#include <cstdlib>

#include "fuzz/fuzz_input.h"
#include "persistence/settings_rules.h"

namespace {

struct Walk {
    const wchar_t* begin;
    const wchar_t* sectionEnd;   // the empty line that closes the section, or the buffer's end
    const wchar_t* end;
    const wchar_t* previousEnd;  // the terminator of the previous entry's line, null before the first
};

void CheckEntry(wchar_t letter, const wchar_t* directory, void* context)
{
    auto* walk = static_cast<Walk*>(context);
    // The directory lies inside the section, after the previous entry, and ends inside the buffer.
    if (directory <= walk->begin || directory >= walk->sectionEnd || letter == 0)
        std::abort();
    if (walk->previousEnd != nullptr && directory <= walk->previousEnd)
        std::abort();
    const wchar_t* p = directory;
    while (p < walk->end && *p != 0)
        ++p;
    if (p == walk->end)
        std::abort();
    // An "=" stands before it, behind nothing but blanks and tabs.
    const wchar_t* q = directory - 1;
    while (q > walk->begin && (*q == L' ' || *q == L'\t'))
        --q;
    if (*q != L'=')
        std::abort();
    walk->previousEnd = p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<wchar_t> units = ToUnits(data, size);
    const wchar_t* begin = units.data();
    const wchar_t* end = begin + units.size();
    const wchar_t* sectionEnd = begin;
    while (sectionEnd < end && !(*sectionEnd == 0 && (sectionEnd == begin || sectionEnd[-1] == 0)))
        ++sectionEnd;
    Walk walk = {begin, sectionEnd, end, nullptr};
    ForEachDrivesEntry(units.data(), units.size(), CheckEntry, &walk);
    return 0;
}
