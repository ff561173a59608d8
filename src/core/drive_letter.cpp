// Drive letters and device names.
#include "core/drive_letter.h"

#include <cwctype>

wchar_t NormalizeDriveLetter(wchar_t letter)
{
    return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(letter)));
}

bool IsDriveLetter(wchar_t letter)
{
    return IsUpperDriveLetter(NormalizeDriveLetter(letter));
}

bool IsUpperDriveLetter(wchar_t letter)
{
    return letter >= L'A' && letter <= L'Z';
}

void BuildDeviceName(wchar_t letter, wchar_t name[kDeviceNameLength])
{
    name[0] = NormalizeDriveLetter(letter);
    name[1] = L':';
    name[2] = L'\0';
}
