// The log-on run: a copy of Morvex.exe with its settings file, started with /startup.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/command_line.h"
#include "core/desktop_mirror.h"
#include "import_hook/import_hook.h"
#include "persistence/settings_file.h"
#include "res/resource.h"
#include "support/control_host.h"
#include "support/desktop_scene.h"
#include "support/message_box_interceptor.h"
#include "support/drive_letter_fixture.h"
#include "support/program_runner.h"
#include "support/settings_text.h"
#include "support/temp_folder.h"

namespace {

class StartupTest : public DriveLetterTest {
protected:
    void SetUp() override
    {
        folder_ = temp_.MakeFolder(L"Portable Apps\\Morvex");
        program_ = folder_ + L"\\Morvex.exe";
        ASSERT_TRUE(CopyFileW(MorvexExecutable().c_str(), program_.c_str(), FALSE));
    }

    void WriteSettings(const std::wstring& text)
    {
        temp_.MakeFile(L"Portable Apps\\Morvex\\Morvex.ini", Utf16FileBytes(text));
    }

    TempFolder temp_;
    std::wstring folder_;
    std::wstring program_;
};

TEST_F(StartupTest, RecreatesEverySavedDriveAndReportsTheBadLine)
{
    wchar_t first = TakeFreeLetter(), bad = TakeFreeLetter(), last = TakeFreeLetter();
    std::wstring one = temp_.MakeFolder(L"one \x8d44\x6599");
    std::wstring two = temp_.MakeFolder(L"two");
    std::wstring missing = temp_.Path() + L"\\missing\\";
    WriteSettings(L"[General]\r\nAutoStart=True\r\n[Drives]\r\n" +
                  std::wstring(1, first) + L"=" + one + L"\\\r\n" +
                  std::wstring(1, bad) + L"=" + missing + L"\r\n" +
                  std::wstring(1, last) + L"=" + two + L"\\\r\n");
    ProgramRun run = RunProgram(program_, L"/startup");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_FALSE(run.dialogShown);
    EXPECT_EQ(DeviceTarget(first), L"\\??\\" + one);
    EXPECT_EQ(DeviceTarget(last), L"\\??\\" + two);
    EXPECT_EQ(DeviceTarget(bad), L"");
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].caption, MessageText(IDS_ERROR_CAPTION));
    EXPECT_EQ(run.boxes[0].text, MessageText(IDS_INVALID_PATH, missing));
    EXPECT_EQ(run.boxes[0].owner, nullptr);
}

TEST_F(StartupTest, WithoutSettingsFileDefinesNothing)
{
    DWORD before = GetLogicalDrives();
    ProgramRun run = RunProgram(program_, L"/STARTUP");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_FALSE(run.dialogShown);   // the switch is taken in capitals too, so no dialog opens
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_EQ(GetLogicalDrives(), before);
    // Loading never creates the file.
    EXPECT_FALSE(FileExists(folder_ + L"\\Morvex.ini"));
}

std::wstring g_commandLine;
LPWSTR WINAPI CommandLine()
{
    return &g_commandLine[0];
}

// Elevated beside the desktop's session, one quiet log-on run there serves all saved drives (the
// dialog's load too), and a define or removal on the command line is repeated as a quiet one-shot.
// A log-on run there that failed is reported once; one still waiting for late volumes is not.
TEST_F(StartupTest, LogOnLoadAndOneShotsAreRepeatedOnTheDesktop)
{
    const std::wstring dir = temp_.MakeFolder(L"saved dir"), settings = folder_ + L"\\Morvex.ini";
    const std::wstring saved(1, TakeFreeLetter()), device = std::wstring(1, TakeFreeLetter()) + L":";
    WriteSettings(L"[Drives]\r\n" + saved + L"=" + dir + L"\\\r\n");
    DesktopScene scene({true, true, false, true});
    MessageBoxInterceptor boxes(IDYES);
    g_dwDesktopRunWait = 200;
    for (long exitCode : {1L, long(STILL_ACTIVE)}) {
        scene.SetExitCode(exitCode);
        boxes.Clear();
        ReadSettingsFile(settings.c_str(), true);
        EXPECT_EQ(DeviceTarget(saved[0]), L"\\??\\" + dir);
        EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>(exitCode == 1, MessageText(IDS_DESKTOP_STARTUP_FAILED)));
    }
    g_dwDesktopRunWait = 10000;
    scene.SetExitCode(0);
    RemoveVirtualDefinitions(saved[0]);
    ControlHost dialog;
    ReadSettingsFile(settings.c_str(), false);
    ImportHook line("kernel32.dll", "GetCommandLineW", reinterpret_cast<void*>(&CommandLine));
    int status = 0;
    for (const std::wstring& arguments : {device + L" \"" + dir + L"\"", L"/d " + device}) {
        g_commandLine = L"Morvex.exe " + arguments;
        ParseCommandLine(&status);
    }
    const std::vector<std::wstring> logOn = {L"/startup", L"/q"};
    EXPECT_EQ(scene.Runs(), (std::vector<std::vector<std::wstring>>{logOn, logOn, logOn, {L"/q", device, dir},
                                                                    {L"/q", L"/d", device}}));
}

}  // namespace
