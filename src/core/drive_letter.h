// Drive letters and the device names built from them ("X:").
#pragma once

constexpr int kDeviceNameLength = 3;

// The letter upper-cased, as every operation takes it.
wchar_t NormalizeDriveLetter(wchar_t letter);

// True when the letter, upper-cased, is 'A'..'Z'.
bool IsDriveLetter(wchar_t letter);

// True when the letter is 'A'..'Z' as it stands: how the dialog holds letters.
bool IsUpperDriveLetter(wchar_t letter);

// Fills name with the upper-cased letter, a colon and the terminator.
void BuildDeviceName(wchar_t letter, wchar_t name[kDeviceNameLength]);
