// Bad input costs nothing: odd settings files, command lines and path lengths end in a clear
// outcome, define only what is valid, overrun nothing and change no file.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/app_globals.h"
#include "persistence/settings_file.h"
#include "res/resource.h"
#include "support/drive_letter_fixture.h"
#include "support/message_box_interceptor.h"
#include "support/program_runner.h"
#include "support/settings_text.h"
#include "support/temp_folder.h"

namespace {


class BadInputTest : public DriveLetterTest {
protected:
    std::wstring SettingsPath() const { return temp_.Path() + L"\\Morvex.ini"; }

    // Loads the file as the log-on run does and checks that the file is left as it was.
    void LoadAsAtLogOn(const std::string& bytes)
    {
        temp_.MakeFile(L"Morvex.ini", bytes);
        before_ = GetLogicalDrives();
        ReadSettingsFile(SettingsPath().c_str(), true);
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, SettingsPath().c_str());
        EXPECT_EQ(ReadFileBytes(SettingsPath()), bytes);
    }

    // The lines of the Drives section as the profile functions deliver them for the file.
    std::wstring SectionAsRead() const
    {
        std::vector<wchar_t> section(65536, L'\0');
        DWORD length = GetPrivateProfileSectionW(L"Drives", section.data(), static_cast<DWORD>(section.size()),
                                                 SettingsPath().c_str());
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, SettingsPath().c_str());
        return std::wstring(section.data(), length);
    }

    // Letters that became drives during the load, other than the expected ones.
    std::wstring UnexpectedDrives(const std::wstring& expected) const
    {
        std::wstring unexpected;
        DWORD now = GetLogicalDrives() & ~before_;
        for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
            if ((now & (1u << (letter - L'A'))) && expected.find(letter) == std::wstring::npos)
                unexpected += letter;
        }
        return unexpected;
    }

    TempFolder temp_;
    MessageBoxInterceptor boxes_;
    DWORD before_ = 0;
};

TEST_F(BadInputTest, EmptyAndGarbageFilesDefineNothing)
{
    LoadAsAtLogOn("");
    EXPECT_EQ(UnexpectedDrives(L""), L"");
    std::mt19937 random(2026);
    std::string garbage;
    for (int i = 0; i < 65536; ++i)
        garbage += static_cast<char>(random() & 0xFF);
    LoadAsAtLogOn(garbage);
    EXPECT_EQ(UnexpectedDrives(L""), L"");
    LoadAsAtLogOn("[Drives]\r\n" + garbage);
    EXPECT_EQ(UnexpectedDrives(L""), L"");
}

TEST_F(BadInputTest, HundredThousandLinesAreReadToTheEnd)
{
    wchar_t first = TakeFreeLetter(), last = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"kept") + L"\\";
    std::wstring lines = std::wstring(1, first) + L"=" + dir + L"\r\n";
    for (int i = 0; i < 100000; ++i)
        lines += L"QQ" + std::to_wstring(i) + L"=C:\\nothing\r\n";
    lines += std::wstring(1, last) + L"=" + dir + L"\r\n";
    DWORD start = GetTickCount();
    LoadAsAtLogOn(Utf16FileBytes(L"[Drives]\r\n" + lines));
    std::printf("100000 Drives lines loaded in %lu ms\n", GetTickCount() - start);
    EXPECT_EQ(DeviceTarget(first), VirtualTarget(dir));
    EXPECT_EQ(DeviceTarget(last), VirtualTarget(dir));
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(BadInputTest, OneLineOfHundredThousandCharactersIsReportedCut)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring directory = L"C:\\" + std::wstring(100000, L'a');
    LoadAsAtLogOn(Utf16FileBytes(L"[Drives]\r\n" + std::wstring(1, letter) + L"=" + directory + L"\r\n"));
    EXPECT_EQ(DeviceTarget(letter), L"");
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, MessageText(IDS_INVALID_PATH, directory));
}

TEST_F(BadInputTest, EncodingsAndRepeatedSectionsApplyOnlyWhatTheyName)
{
    wchar_t letter = TakeFreeLetter(), second = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"enc") + L"\\";
    std::wstring other = temp_.MakeFolder(L"other") + L"\\";
    std::wstring text = L"[Drives]\r\n" + std::wstring(1, letter) + L"=" + dir + L"\r\n";
    LoadAsAtLogOn(Utf16FileBytes(text));
    EXPECT_EQ(DeviceTarget(letter), VirtualTarget(dir));
    RemoveVirtualDefinitions(letter);

    // Without a byte-order mark a system may take the file for ANSI, and a repeated section may
    // or may not be merged: the program applies exactly the lines that the system reads.
    const std::wstring line = std::wstring(1, letter) + L"=" + dir;
    const std::wstring secondLine = std::wstring(1, second) + L"=" + other;
    std::wstring repeated = L"[Drives]\r\n" + line + L"\r\n[General]\r\nAutoStart=1\r\n[Drives]\r\n" + secondLine + L"\r\n";
    for (const std::string& bytes : {Utf16FileBytes(text, false), Utf16FileBytes(repeated)}) {
        LoadAsAtLogOn(bytes);
        std::wstring read = SectionAsRead();
        bool firstRead = read.find(line + L'\0') != std::wstring::npos;
        bool secondRead = read.find(secondLine + L'\0') != std::wstring::npos;
        // With its mark, the file's first Drives section is read by any system.
        if (bytes[0] == '\xFF') {
            EXPECT_TRUE(firstRead || secondRead);
        }
        EXPECT_EQ(DeviceTarget(letter), firstRead ? VirtualTarget(dir) : L"");
        EXPECT_EQ(DeviceTarget(second), secondRead ? VirtualTarget(other) : L"");
        EXPECT_EQ(UnexpectedDrives(std::wstring(1, letter) + second), L"");
        RemoveVirtualDefinitions(letter);
        RemoveVirtualDefinitions(second);
    }
}

TEST_F(BadInputTest, LettersOutsideAToZDefineNothing)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"d") + L"\\";
    std::wstring lines;
    for (const wchar_t* key : {L"1", L"[", L"@", L"\x00e9", L"\x4e2d", L":", L"\\"})
        lines += std::wstring(key) + L"=" + dir + L"\r\n";
    lines += std::wstring(1, towlower(letter)) + L"=" + dir + L"\r\n";
    LoadAsAtLogOn(Utf16FileBytes(L"[Drives]\r\n" + lines));
    EXPECT_EQ(DeviceTarget(letter), VirtualTarget(dir));
    EXPECT_EQ(UnexpectedDrives(std::wstring(1, letter)), L"");
    EXPECT_TRUE(boxes_.Boxes().empty());
}

class BadCommandLineTest : public DriveLetterTest {
protected:
    ProgramRun Run(const std::wstring& arguments)
    {
        ProgramRun run = RunProgram(MorvexExecutable(), arguments);
        EXPECT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 0u);
        return run;
    }
    TempFolder temp_;
};

TEST_F(BadCommandLineTest, ThousandsOfArgumentsStillFormTheOperation)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"many");
    std::wstring arguments;
    for (int i = 0; i < 5000; ++i)
        arguments += (i % 2 == 0) ? L"/x " : L". ";   // 5000 arguments, within the 32767-unit limit
    ProgramRun run = Run(arguments + std::wstring(1, letter) + L": " + dir);
    EXPECT_FALSE(run.dialogShown);
    EXPECT_EQ(DeviceTarget(letter), L"\\??\\" + dir);
}

TEST_F(BadCommandLineTest, VeryLongArgumentIsReportedCut)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring path = L"C:\\" + std::wstring(30000, L'l');
    ProgramRun run = Run(std::wstring(1, letter) + L": " + path);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].text, MessageText(IDS_INVALID_PATH, path));
    EXPECT_EQ(DeviceTarget(letter), L"");
}

TEST_F(BadCommandLineTest, OddQuotingAndEmptyArguments)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"with blanks");
    // A quoted letter and a quoted path with blanks form the operation.
    Run(L"\"" + std::wstring(1, letter) + L":\" \"" + dir + L"\"");
    EXPECT_EQ(DeviceTarget(letter), L"\\??\\" + dir);
    RemoveVirtualDefinitions(letter);

    // A backslash before the closing quote escapes it, as in a batch file's "%~dp0": the quote that
    // the path then ends in ends the path, and what followed joined it.
    ProgramRun escaped = Run(std::wstring(1, letter) + L": \"" + dir + L"\\\" /q");
    EXPECT_TRUE(escaped.boxes.empty());
    EXPECT_EQ(DeviceTarget(letter), L"\\??\\" + dir);
    RemoveVirtualDefinitions(letter);

    // Empty arguments are ignored; a letter alone opens the dialog.
    ProgramRun empty = Run(L"\"\" \"\" " + std::wstring(1, letter) + L": \"\"");
    EXPECT_TRUE(empty.dialogShown);
    EXPECT_EQ(DeviceTarget(letter), L"");

    ProgramRun unbalanced = Run(L"\"" + std::wstring(1, letter) + L": " + dir);
    EXPECT_TRUE(unbalanced.dialogShown);   // one argument "X: dir", a path without a letter
    EXPECT_EQ(DeviceTarget(letter), L"");
}

}  // namespace
