// The shipped Morvex.exe started as a user starts it; its drives are seen by the next
// process of the same wineserver, as by the next program of the same log-on session.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "support/message_box_interceptor.h"
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

TEST_F(CommandLineTest, InvalidDirectoryShowsTheErrorAndStillExitsZero)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring missing = temp_.Path() + L"\\missing";
    ProgramRun run = Run(Letter(letter) + L" " + missing);
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].caption, MessageText(IDS_ERROR_CAPTION));
    EXPECT_EQ(run.boxes[0].text, MessageText(IDS_INVALID_PATH, missing));
    EXPECT_EQ(run.boxes[0].owner, nullptr);
    EXPECT_FALSE(run.dialogShown);
    EXPECT_EQ(DeviceTarget(letter), L"");
}

// The grammar is tested on its own table; here only that a line that forms no operation opens the
// dialog and maps nothing ("C:\\" is itself a letter argument).
TEST_F(CommandLineTest, LineWithoutAnOperationOpensTheDialog)
{
    wchar_t letter = TakeFreeLetter();
    ProgramRun run = Run(Letter(letter) + L" C:\\");
    EXPECT_TRUE(run.dialogShown);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(DeviceTarget(letter), L"");
}

}  // namespace
