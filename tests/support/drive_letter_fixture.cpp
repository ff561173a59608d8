// Free letters for tests, and clean-up of what the tests defined.
#include "support/drive_letter_fixture.h"

#include <windows.h>

#include <algorithm>

namespace {
std::wstring DeviceName(wchar_t letter)
{
    return std::wstring(1, letter) + L":";
}
}  // namespace

std::wstring DeviceTarget(wchar_t letter)
{
    wchar_t target[2048] = L"";
    if (QueryDosDeviceW(DeviceName(letter).c_str(), target, 2048) == 0)
        return L"";
    return target;
}

bool DefineRawTarget(wchar_t letter, const std::wstring& target)
{
    return DefineDosDeviceW(DDD_RAW_TARGET_PATH, DeviceName(letter).c_str(), target.c_str()) != 0;
}

void RemoveVirtualDefinitions(wchar_t letter)
{
    // Windows stacks definitions, so remove until none of ours is left.
    for (int i = 0; i < 16 && DeviceTarget(letter).rfind(L"\\??\\", 0) == 0; ++i)
        DefineDosDeviceW(DDD_REMOVE_DEFINITION, DeviceName(letter).c_str(), nullptr);
}

wchar_t DriveLetterTest::TakeFreeLetter()
{
    DWORD used = GetLogicalDrives();
    for (wchar_t letter = L'Y'; letter >= L'D'; --letter) {
        bool inUse = (used & (1u << (letter - L'A'))) != 0 || !DeviceTarget(letter).empty();
        bool alreadyTaken = std::find(taken_.begin(), taken_.end(), letter) != taken_.end();
        if (!inUse && !alreadyTaken) {
            taken_.push_back(letter);
            return letter;
        }
    }
    ADD_FAILURE() << "no free drive letter left";
    return 0;
}

wchar_t DriveLetterTest::TakeLetterHeldByDevice()
{
    wchar_t letter = TakeFreeLetter();
    held_.push_back(letter);
    EXPECT_TRUE(DefineRawTarget(letter, L"\\Device\\HarddiskVolume1"));
    return letter;
}

void DriveLetterTest::TearDown()
{
    for (wchar_t letter : taken_)
        RemoveVirtualDefinitions(letter);
    for (wchar_t letter : held_)
        DefineDosDeviceW(DDD_REMOVE_DEFINITION, DeviceName(letter).c_str(), nullptr);
}
