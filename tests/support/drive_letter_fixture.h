// A fixture for tests that define virtual drives: it hands out letters that are free in
// this session and removes, after the test, whatever virtual drive remains on them.
// Wine's own drives (C: and Z:) are never handed out and never touched.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

class DriveLetterTest : public ::testing::Test {
protected:
    void TearDown() override;

    // A letter that no device uses now; each call gives another one.
    wchar_t TakeFreeLetter();
    // A free letter that the test then gives to a device, as a second disk holds its letter.
    wchar_t TakeLetterHeldByDevice();

    std::vector<wchar_t> taken_;
    std::vector<wchar_t> held_;
};

// The target the system reports for the letter, or "" when it is not defined.
std::wstring DeviceTarget(wchar_t letter);

// Defines the letter's raw target directly, bypassing the program.
bool DefineRawTarget(wchar_t letter, const std::wstring& target);

// Removes every virtual-drive definition of the letter; foreign devices stay.
void RemoveVirtualDefinitions(wchar_t letter);
