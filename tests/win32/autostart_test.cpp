// The Run value, read back from the real registry.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "import_hook/import_hook.h"
#include "persistence/autostart.h"
#include "res/resource.h"
#include "support/drive_letter_fixture.h"
#include "support/message_box_interceptor.h"
#include "support/program_runner.h"
#include "support/run_value.h"
#include "support/temp_folder.h"

namespace {

std::wstring OwnPath()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

void ExpectRunValueFor(const RunValueGuard& runValue, const std::wstring& executable)
{
    DWORD type = 0, bytes = 0;
    std::wstring data;
    ASSERT_TRUE(runValue.Read(&type, &data, &bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, L"\"" + executable + L"\" /startup");
    EXPECT_EQ(bytes, (data.size() + 1) * sizeof(wchar_t));
    // Blanks in the path do not split it: the program gets exactly one argument.
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(data.c_str(), &count);
    ASSERT_NE(arguments, nullptr);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(std::wstring(arguments[0]), executable);
    EXPECT_EQ(std::wstring(arguments[1]), L"/startup");
    LocalFree(arguments);
}

TEST(AutoStart, SwitchingOnWritesThisExecutableOnce)
{
    RunValueGuard runValue;
    SetAutoStart(true);
    SetAutoStart(true);
    ExpectRunValueFor(runValue, OwnPath());
}

TEST(AutoStart, SwitchingOffDeletesAndIsHarmlessWhenNothingIsThere)
{
    RunValueGuard runValue;
    SetAutoStart(true);
    ASSERT_TRUE(runValue.Exists());
    SetAutoStart(false);
    EXPECT_FALSE(runValue.Exists());
    SetAutoStart(false);
    EXPECT_FALSE(runValue.Exists());
}

// One user has one autostarting copy: switching off deletes the value only when it starts this
// executable, and leaves another copy's (another folder, another settings file) alone.
TEST(AutoStart, SwitchingOffLeavesAnotherCopysValue)
{
    RunValueGuard runValue;
    const std::wstring others[] = {L"\"C:\\Other Folder\\Morvex.exe\" /startup", L"C:\\Tools\\Morvex.exe /startup",
                                   L"\"" + OwnPath() + L".old\" /startup"};
    for (const std::wstring& other : others) {
        runValue.Write(other);
        SetAutoStart(false);
        DWORD type = 0, bytes = 0;
        std::wstring data;
        ASSERT_TRUE(runValue.Read(&type, &data, &bytes));
        EXPECT_EQ(data, other);
    }
    std::wstring own = OwnPath();
    CharUpperW(&own[0]);
    runValue.Write(L"\"" + own + L"\" /startup");
    SetAutoStart(false);
    EXPECT_FALSE(runValue.Exists());
}

// Runs only in a copy of this program started by the test below.
TEST(RunValueChild, DISABLED_SwitchOn)
{
    SetAutoStart(true);
}

TEST(AutoStart, PathWithBlanksStaysOneArgument)
{
    RunValueGuard runValue;
    TempFolder temp;
    std::wstring folder = temp.MakeFolder(L"Program Files\\Morvex Tools");
    std::wstring copy = folder + L"\\morvex tests.exe";
    ASSERT_TRUE(CopyFileW(OwnPath().c_str(), copy.c_str(), FALSE));
    ProgramRun run = RunProgram(copy, L"--gtest_also_run_disabled_tests --gtest_filter=RunValueChild.DISABLED_SwitchOn");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    ExpectRunValueFor(runValue, copy);
}

std::wstring g_reportedPath;

LONG WINAPI RefusedValueWrite(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD)
{
    return ERROR_ACCESS_DENIED;
}

DWORD WINAPI ReportedModulePath(HMODULE, LPWSTR path, DWORD capacity)
{
    lstrcpynW(path, g_reportedPath.c_str(), capacity);
    return lstrlenW(path);
}

// A network drive, as Windows reports one (Wine has none), and its share.
wchar_t g_networkLetter = 0;
decltype(&GetProcAddress) g_realBind = nullptr;

UINT WINAPI NetworkDriveType(LPCWSTR root)
{
    return root[0] == g_networkLetter ? DRIVE_REMOTE : DRIVE_FIXED;
}

DWORD WINAPI ShareName(LPCWSTR path, DWORD, LPVOID buffer, LPDWORD)
{
    auto* info = static_cast<UNIVERSAL_NAME_INFOW*>(buffer);
    info->lpUniversalName = reinterpret_cast<wchar_t*>(info + 1);
    lstrcpyW(info->lpUniversalName, (L"\\\\server\\share" + std::wstring(path + 2)).c_str());
    return NO_ERROR;
}

FARPROC WINAPI BindingShareName(HMODULE library, LPCSTR name)
{
    if (reinterpret_cast<ULONG_PTR>(name) > 0xFFFF && lstrcmpA(name, "WNetGetUniversalNameW") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&ShareName));
    return g_realBind(library, name);
}

using AutoStartPaths = DriveLetterTest;

// Started through a virtual drive, a drive onto that drive, or its short path (which Windows reports, Wine
// not), the executable is named by its path at log-on and knows a value with any of them; a refused write is reported.
TEST_F(AutoStartPaths, RunValueNamesTheExecutableByItsLogonPath)
{
    RunValueGuard runValue;
    const std::wstring own = OwnPath(), name = own.substr(own.rfind(L'\\'));
    const wchar_t drive = TakeFreeLetter(), driveOnDrive = TakeFreeLetter();
    ASSERT_TRUE(DefineRawTarget(drive, L"\\??\\" + own.substr(0, own.size() - name.size())));
    ASSERT_TRUE(DefineRawTarget(driveOnDrive, L"\\??\\" + std::wstring(1, drive) + L":"));
    wchar_t shortPath[MAX_PATH] = L"";
    GetShortPathNameW(own.c_str(), shortPath, MAX_PATH);
    ASSERT_NE(std::wstring(shortPath).find(L'~'), std::wstring::npos);
    ImportHook hook("kernel32.dll", "GetModuleFileNameW", reinterpret_cast<void*>(&ReportedModulePath));
    for (const std::wstring& form : {drive + (L":" + name), driveOnDrive + (L":" + name), std::wstring(shortPath)}) {
        g_reportedPath = form;
        SetAutoStart(true);
        ExpectRunValueFor(runValue, own);
        runValue.Write(L"\"" + form + L"\" /startup");
        ApplyAutoStartAtClose(true, true);   // the value of this executable, named elsewhere, is rewritten
        ExpectRunValueFor(runValue, own);
        runValue.Write(L"\"" + form + L"\" /startup");
        SetAutoStart(false);
        EXPECT_FALSE(runValue.Exists()) << form;
    }
    {
        // Started from a network drive, which Windows may not have reconnected at log-on: its share.
        ImportHook type("kernel32.dll", "GetDriveTypeW", reinterpret_cast<void*>(&NetworkDriveType));
        ImportHook bind("kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(&BindingShareName));
        g_realBind = reinterpret_cast<decltype(&GetProcAddress)>(bind.Original());
        g_networkLetter = TakeFreeLetter();
        g_reportedPath = g_networkLetter + (L":\\tools" + name);
        SetAutoStart(true);
        ExpectRunValueFor(runValue, L"\\\\server\\share\\tools" + name);
    }
    ImportHook refused("advapi32.dll", "RegSetValueExW", reinterpret_cast<void*>(&RefusedValueWrite));
    MessageBoxInterceptor boxes;
    SetAutoStart(true);
    EXPECT_EQ(boxes.Boxes().empty() ? L"" : boxes.Boxes().back().text, MessageText(IDS_RUN_VALUE_FAILED));
}

}  // namespace
