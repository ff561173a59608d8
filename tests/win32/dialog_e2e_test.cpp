// The shipped Morvex.exe with its dialog, started and driven from outside as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "support/drive_letter_fixture.h"
#include "support/program_runner.h"
#include "support/temp_folder.h"

namespace {

class DialogProgramTest : public DriveLetterTest {
protected:
    void SetUp() override
    {
        program_ = temp_.MakeFolder(L"Morvex App") + L"\\Morvex.exe";
        ASSERT_TRUE(CopyFileW(MorvexExecutable().c_str(), program_.c_str(), FALSE));
        settingsPath_ = temp_.Path() + L"\\Morvex App\\Morvex.ini";
    }

    TempFolder temp_;
    std::wstring program_;
    std::wstring settingsPath_;
};

// The shipped program: the caption's close box ends it with exit code 0 and leaves its settings
// file as it was, while Enter and Esc do not end it.
TEST_F(DialogProgramTest, CaptionCloseLeavesTheSettingsFileAlone)
{
    const std::string settings = "[General]\r\nAutoStart=True\r\n[Drives]\r\n";
    temp_.MakeFile(L"Morvex App\\Morvex.ini", settings);
    bool stillOpenAfterKeys = false;
    ProgramRun run = RunProgram(program_, L"", 20000, [&](HWND dialog) {
        for (WPARAM command : {IDOK, IDCANCEL})
            SendMessageW(dialog, WM_COMMAND, command, 0);
        stillOpenAfterKeys = IsWindowVisible(dialog) != FALSE;
        CheckDlgButton(dialog, IDC_AUTOSTART, BST_UNCHECKED);
        CloseWithCaptionBox(dialog);
    });
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.dialogShown);
    EXPECT_TRUE(stillOpenAfterKeys);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(ReadFileBytes(settingsPath_), settings);
}

// Loading at dialog start and saving at Close happen in one process: the new file must still
// come out in UTF-16, so that a directory outside the ANSI code page survives the next log-on.
TEST_F(DialogProgramTest, CloseSavesTheListInUnicode)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"\x8d44\x6599 \xD834\xDD1E");
    ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\" + dir));
    ProgramRun run = RunProgram(program_, L"", 20000, [](HWND dialog) {
        PostMessageW(GetDlgItem(dialog, IDC_CLOSE), BM_CLICK, 0, 0);
    });
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.dialogShown);
    EXPECT_TRUE(run.boxes.empty());
    std::string bytes = ReadFileBytes(settingsPath_);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    EXPECT_NE(text.find(std::wstring(1, letter) + L"=" + dir + L"\\\r\n"), std::wstring::npos);

    // Log off and on: the saved drive comes back with its directory intact.
    RemoveVirtualDefinitions(letter);
    ProgramRun startup = RunProgram(program_, L"/startup");
    ASSERT_TRUE(startup.finished);
    EXPECT_TRUE(startup.boxes.empty());
    EXPECT_EQ(DeviceTarget(letter), L"\\??\\" + dir);
}

// Two dialogs of one executable would overwrite each other's settings at Close: a second start
// brings the open one to the front, restored, and ends. One-shot commands and another copy's
// dialog still run beside it.
TEST_F(DialogProgramTest, SecondStartBringsTheOpenDialogToTheFront)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring otherCopy = temp_.MakeFolder(L"Other Copy") + L"\\Morvex.exe";
    ASSERT_TRUE(CopyFileW(program_.c_str(), otherCopy.c_str(), FALSE));
    ProgramRun second, oneShot, other;
    bool restored = false, inFront = false;
    ProgramRun first = RunProgram(program_, L"", 60000, [&](HWND dialog) {
        ShowWindow(dialog, SW_MINIMIZE);
        second = RunProgram(program_, L"");
        restored = !IsIconic(dialog);
        inFront = GetForegroundWindow() == dialog;
        oneShot = RunProgram(program_, std::wstring(1, letter) + L": C:\\windows");
        other = RunProgram(otherCopy, L"");
        CloseWithCaptionBox(dialog);
    });
    ASSERT_TRUE(first.finished && second.finished && oneShot.finished && other.finished);
    EXPECT_FALSE(second.dialogShown);
    EXPECT_EQ(second.exitCode, 0u);
    EXPECT_TRUE(restored);
    EXPECT_TRUE(inFront);
    EXPECT_EQ(DeviceTarget(letter), L"\\??\\C:\\windows");
    EXPECT_TRUE(other.dialogShown);
}

}  // namespace
