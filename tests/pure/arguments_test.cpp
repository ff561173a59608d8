// The command-line grammar: one argument at a time, then whole command lines.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "core/arguments.h"

namespace {

struct ClassifyCase {
    const wchar_t* argument;
    ArgumentKind kind;
    wchar_t letter;
};

TEST(ClassifyArgument, FollowsTheArgumentTable)
{
    const ClassifyCase cases[] = {
        {L"/startup", ArgumentKind::StartupSwitch, 0},
        {L"-STARTUP", ArgumentKind::StartupSwitch, 0},
        {L"/StartUp", ArgumentKind::StartupSwitch, 0},
        {L"/startupx", ArgumentKind::OtherSwitch, 0},
        {L"/d", ArgumentKind::DeleteSwitch, 0},
        {L"-D", ArgumentKind::DeleteSwitch, 0},
        {L"/del", ArgumentKind::OtherSwitch, 0},
        {L"-Q", ArgumentKind::QuietSwitch, 0},
        {L"/l", ArgumentKind::ListSwitch, 0},
        {L"-?", ArgumentKind::UsageSwitch, 0},
        {L"/qq", ArgumentKind::OtherSwitch, 0},
        {L"/??", ArgumentKind::OtherSwitch, 0},
        {L"/", ArgumentKind::OtherSwitch, 0},
        {L"-", ArgumentKind::OtherSwitch, 0},
        {L"/C:\\dir", ArgumentKind::OtherSwitch, 0},
        {L"z", ArgumentKind::DriveLetter, L'Z'},
        {L"z:", ArgumentKind::DriveLetter, L'Z'},
        {L"Z:\\", ArgumentKind::DriveLetter, L'Z'},
        {L"C:\\", ArgumentKind::DriveLetter, L'C'},
        {L"a", ArgumentKind::DriveLetter, L'A'},
        {L"Z:\\\\", ArgumentKind::DirectoryPath, 0},
        {L"Z:x", ArgumentKind::DirectoryPath, 0},
        {L"ZZ", ArgumentKind::DirectoryPath, 0},
        {L"C:\\Projects", ArgumentKind::DirectoryPath, 0},
        {L"c:/Projects", ArgumentKind::DirectoryPath, 0},
        {L"Readme", ArgumentKind::DirectoryPath, 0},
        {L"\\\\server\\share", ArgumentKind::Ignored, 0},
        {L".", ArgumentKind::Ignored, 0},
        {L"1:", ArgumentKind::Ignored, 0},
        {L"", ArgumentKind::Ignored, 0},
        {L"\x00e9t\x00e9", ArgumentKind::Ignored, 0},
    };
    for (const ClassifyCase& c : cases) {
        wchar_t letter = 0;
        EXPECT_EQ(ClassifyArgument(c.argument, &letter), c.kind) << c.argument;
        EXPECT_EQ(letter, c.letter) << c.argument;
    }
}

struct CommandLineCase {
    std::vector<const wchar_t*> arguments;   // without the program name
    CommandAction action;
    wchar_t letter;
    const wchar_t* path;
    bool quiet = false;
};

wchar_t program[] = L"Morvex.exe";

TEST(ParseArguments, ChoosesTheOperationOfTheWholeLine)
{
    const CommandLineCase cases[] = {
        {{L"Z:", L"C:\\Projects"}, CommandAction::DefineDrive, L'Z', L"C:\\Projects"},
        {{L"C:\\Projects", L"z"}, CommandAction::DefineDrive, L'Z', L"C:\\Projects"},
        {{L"/d", L"z:"}, CommandAction::RemoveDrive, L'Z', nullptr},
        {{L"-D", L"Z:"}, CommandAction::RemoveDrive, L'Z', nullptr},
        {{L"/d", L"Z:", L"C:\\Projects"}, CommandAction::RemoveDrive, L'Z', L"C:\\Projects"},
        {{L"/d"}, CommandAction::ShowDialog, 0, nullptr},
        {{L"/d", L"C:\\Projects"}, CommandAction::ShowDialog, 0, L"C:\\Projects"},
        {{L"/d", L"/startup"}, CommandAction::RunStartup, 0, nullptr},
        {{L"/STARTUP"}, CommandAction::RunStartup, 0, nullptr},
        {{L"/startup", L"X:", L"C:\\dir"}, CommandAction::DefineDrive, L'X', L"C:\\dir"},
        // C:\ is itself a letter argument: the letter becomes C and no path remains.
        {{L"Z:", L"C:\\"}, CommandAction::ShowDialog, L'C', nullptr},
        {{L"Z:", L"\\\\server\\share"}, CommandAction::ShowDialog, L'Z', nullptr},
        {{L"X:", L"Y:", L"C:\\first", L"C:\\second"}, CommandAction::DefineDrive, L'Y', L"C:\\first"},
        {{L"Z:"}, CommandAction::ShowDialog, L'Z', nullptr},
        {{L"C:\\Projects"}, CommandAction::ShowDialog, 0, L"C:\\Projects"},
        {{L"/x", L"-y", L"."}, CommandAction::ShowDialog, 0, nullptr},
        {{}, CommandAction::ShowDialog, 0, nullptr},
        {{L"Z:", L"/q", L"C:\\dir"}, CommandAction::DefineDrive, L'Z', L"C:\\dir", true},
        {{L"-Q", L"/d", L"Z:"}, CommandAction::RemoveDrive, L'Z', nullptr, true},
        {{L"/startup", L"/Q"}, CommandAction::RunStartup, 0, nullptr, true},
        // With /q a line that forms no operation must not leave a script waiting on the dialog.
        {{L"/q"}, CommandAction::NoOperation, 0, nullptr, true},
        {{L"/q", L"Z:", L"C:\\"}, CommandAction::NoOperation, L'C', nullptr, true},
        {{L"Z:", L"C:\\dir", L"/L"}, CommandAction::ListDrives, L'Z', L"C:\\dir"},
        {{L"-q", L"/l"}, CommandAction::ListDrives, 0, nullptr, true},
        {{L"/l", L"/?", L"/d", L"Z:"}, CommandAction::ShowUsage, L'Z', nullptr},
        // A quoted path that ends in a backslash, as a batch file's "%~dp0": the backslash escapes
        // the quote, which then ends the path, and the rest of the line has joined it.
        {{L"/q", L"Y:", L"C:\\dir\""}, CommandAction::DefineDrive, L'Y', L"C:\\dir", true},
        {{L"X:", L"C:\\My Dir\" /q"}, CommandAction::DefineDrive, L'X', L"C:\\My Dir", true},
        {{L"C:\\a b\" \tZ:\\ C:\\c\" Y: /Q"}, CommandAction::DefineDrive, L'Y', L"C:\\a b", true},
        {{L"/d", L"z:\""}, CommandAction::RemoveDrive, L'Z', nullptr},
        {{L"Z:", L"/x\"C:\\dir", L"\"C:\\dir"}, CommandAction::ShowDialog, L'Z', nullptr},
    };
    for (const CommandLineCase& c : cases) {
        std::vector<std::wstring> texts(c.arguments.begin(), c.arguments.end());
        std::vector<wchar_t*> argv = {program};
        for (std::wstring& text : texts)
            argv.push_back(&text[0]);
        ParsedCommandLine parsed = ParseArguments(static_cast<int>(argv.size()), argv.data());
        std::wstring line;
        for (const wchar_t* a : c.arguments)
            line += std::wstring(a) + L" ";
        EXPECT_EQ(ChooseCommandAction(parsed), c.action) << line;
        EXPECT_EQ(parsed.letter, c.letter) << line;
        EXPECT_EQ(parsed.quiet, c.quiet) << line;
        if (c.path == nullptr)
            EXPECT_EQ(parsed.path, nullptr) << line;
        else
            EXPECT_STREQ(parsed.path, c.path) << line;
    }
}

TEST(HasArguments, AnythingAfterTheProgramAsTheSystemSplitsIt)
{
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"\"C:\\Program Files\\Morvex.exe\"", false}, {L"\"C:\\Program Files\\Morvex.exe\"  \t", false},
        {L"Morvex.exe", false}, {L"", false}, {L"\"C:\\a b\\Morvex.exe\" /d", true}, {L"Morvex.exe\tZ:", true},
        {L"\"Morvex.exe\"\"\"", true},   // an empty argument follows
        {L"\"C:\\no end", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasArguments(c.first), c.second) << c.first;
}

TEST(ParseArguments, ProgramNameIsNeverAnArgument)
{
    wchar_t* argv[] = {program};
    ParsedCommandLine parsed = ParseArguments(1, argv);
    EXPECT_EQ(parsed.path, nullptr);
    EXPECT_EQ(parsed.letter, 0);
}

}  // namespace
