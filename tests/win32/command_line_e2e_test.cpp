// The shipped Morvex.exe started as a user starts it; its drives are seen by the next
// process of the same wineserver, as by the next program of the same log-on session.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/drive_letter_fixture.h"
#include "support/program_runner.h"
#include "support/temp_folder.h"

namespace {

class CommandLineTest : public DriveLetterTest {
protected:
    ProgramRun Run(const std::wstring& arguments)
    {
        ProgramRun run = RunProgram(MorvexExecutable(), arguments);
        EXPECT_TRUE(run.started) << "cannot start " << std::string(MorvexExecutable().begin(), MorvexExecutable().end());
        EXPECT_TRUE(run.finished) << "still running: " << std::string(arguments.begin(), arguments.end());
        return run;
    }

    static std::wstring Letter(wchar_t letter) { return std::wstring(1, letter) + L":"; }

    TempFolder temp_;
};

TEST_F(CommandLineTest, MapsAndRemovesWithoutAWindow)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"some\\dir");
    ProgramRun define = Run(Letter(letter) + L" \"" + dir + L"\"");
    EXPECT_EQ(define.exitCode, 0u);
    EXPECT_TRUE(define.boxes.empty());
    EXPECT_FALSE(define.dialogShown);
    EXPECT_EQ(DeviceTarget(letter), L"\\??\\" + dir);

    ProgramRun remove = Run(L"/d " + Letter(towlower(letter)));
    EXPECT_EQ(remove.exitCode, 0u);
    EXPECT_TRUE(remove.boxes.empty());
    EXPECT_FALSE(remove.dialogShown);
    EXPECT_EQ(DeviceTarget(letter), L"");
}

TEST_F(CommandLineTest, DashSwitchRemovesToo)
{
    wchar_t letter = TakeFreeLetter();
    ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\C:\\windows"));
    EXPECT_EQ(Run(L"-D " + Letter(letter)).exitCode, 0u);
    EXPECT_EQ(DeviceTarget(letter), L"");
}

TEST_F(CommandLineTest, InvalidDirectoryShowsTheErrorAndStillExitsZero)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring missing = temp_.Path() + L"\\missing";
    ProgramRun run = Run(Letter(letter) + L" " + missing);
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].caption, L"Morvex Error");
    EXPECT_EQ(run.boxes[0].text, L"Invalid path: " + missing);
    EXPECT_EQ(run.boxes[0].owner, nullptr);
    EXPECT_FALSE(run.dialogShown);
    EXPECT_EQ(DeviceTarget(letter), L"");
}

TEST_F(CommandLineTest, DriveRootArgumentIsALetterNotAPath)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring cBefore = DeviceTarget(L'C');
    ProgramRun run = Run(Letter(letter) + L" C:\\");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.dialogShown);
    EXPECT_EQ(DeviceTarget(letter), L"");
    EXPECT_EQ(DeviceTarget(L'C'), cBefore);
}

TEST_F(CommandLineTest, UncPathIsIgnored)
{
    wchar_t letter = TakeFreeLetter();
    EXPECT_TRUE(Run(Letter(letter) + L" \\\\server\\share").dialogShown);
    EXPECT_EQ(DeviceTarget(letter), L"");
}

TEST_F(CommandLineTest, LastLetterAndFirstPathWin)
{
    wchar_t first = TakeFreeLetter();
    wchar_t last = TakeFreeLetter();
    std::wstring one = temp_.MakeFolder(L"one");
    std::wstring two = temp_.MakeFolder(L"two");
    Run(Letter(first) + L" " + one + L" " + Letter(last) + L" " + two);
    EXPECT_EQ(DeviceTarget(first), L"");
    EXPECT_EQ(DeviceTarget(last), L"\\??\\" + one);
}

TEST_F(CommandLineTest, IncompleteOperationsOpenTheDialog)
{
    wchar_t letter = TakeFreeLetter();
    for (const std::wstring& arguments : {std::wstring(), Letter(letter), temp_.Path(), std::wstring(L"/d")}) {
        ProgramRun run = Run(arguments);
        EXPECT_TRUE(run.dialogShown) << std::string(arguments.begin(), arguments.end());
        EXPECT_EQ(run.exitCode, 0u);
    }
    EXPECT_EQ(DeviceTarget(letter), L"");
}

}  // namespace
