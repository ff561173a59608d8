// One line of the [Drives] section.
#include "persistence/drives_line.h"

#include "core/drive_letter.h"

namespace {

const wchar_t* SkipBlanks(const wchar_t* text)
{
    while (*text == L' ' || *text == L'\t')
        ++text;
    return text;
}

}  // namespace

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
