// Virtual drives against Wine's real DOS-device namespace.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/virtual_drive.h"
#include "import_hook/import_hook.h"
#include "res/resource.h"
#include "support/drive_letter_fixture.h"
#include "support/message_box_interceptor.h"
#include "support/temp_folder.h"

namespace {

std::wstring Upper1(std::wstring path)
{
    path[0] = towupper(path[0]);
    return path;
}

class VirtualDriveTest : public DriveLetterTest {
protected:
    TempFolder temp_;
    MessageBoxInterceptor boxes_;
};

TEST_F(VirtualDriveTest, DefinesTheRawTargetOfTheDirectory)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"Projects");
    ASSERT_TRUE(SetVirtualDrive(towlower(letter), (dir + L"\\").c_str()));
    EXPECT_EQ(DeviceTarget(letter), L"\\??\\" + Upper1(dir));
    EXPECT_NE(GetLogicalDrives() & (1u << (letter - L'A')), 0u);
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(VirtualDriveTest, LowerCaseAndTrailingBackslashGiveTheSameTarget)
{
    wchar_t first = TakeFreeLetter();
    wchar_t second = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"dir");
    std::wstring lower = dir;
    lower[0] = towlower(lower[0]);
    ASSERT_TRUE(SetVirtualDrive(first, (lower + L"\\").c_str()));
    ASSERT_TRUE(SetVirtualDrive(second, Upper1(dir).c_str()));
    EXPECT_EQ(DeviceTarget(first), DeviceTarget(second));
    EXPECT_EQ(DeviceTarget(first), L"\\??\\" + Upper1(dir));
}

TEST_F(VirtualDriveTest, DriveRootLosesItsBackslash)
{
    wchar_t letter = TakeFreeLetter();
    ASSERT_TRUE(SetVirtualDrive(letter, L"c:\\"));
    EXPECT_EQ(DeviceTarget(letter), L"\\??\\C:");
}

TEST_F(VirtualDriveTest, RepointReplacesWithoutStacking)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring one = temp_.MakeFolder(L"one");
    std::wstring two = temp_.MakeFolder(L"two");
    ASSERT_TRUE(SetVirtualDrive(letter, one.c_str()));
    ASSERT_TRUE(SetVirtualDrive(letter, two.c_str()));
    EXPECT_EQ(DeviceTarget(letter), L"\\??\\" + Upper1(two));
    // One removal frees the letter: nothing of the first mapping is left underneath.
    ASSERT_TRUE(SetVirtualDrive(letter, nullptr));
    EXPECT_EQ(DeviceTarget(letter), L"");
}

TEST_F(VirtualDriveTest, RemovingAFreeLetterSucceeds)
{
    wchar_t letter = TakeFreeLetter();
    EXPECT_TRUE(SetVirtualDrive(letter, nullptr));
    EXPECT_EQ(DeviceTarget(letter), L"");
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(VirtualDriveTest, ForeignDrivesAreNeverTouched)
{
    std::wstring dir = temp_.MakeFolder(L"dir");
    for (wchar_t letter : {L'C', L'z'}) {
        std::wstring before = DeviceTarget(towupper(letter));
        ASSERT_FALSE(before.empty());
        EXPECT_FALSE(SetVirtualDrive(letter, nullptr));
        EXPECT_FALSE(SetVirtualDrive(letter, dir.c_str()));
        EXPECT_EQ(DeviceTarget(towupper(letter)), before);
    }
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(VirtualDriveTest, LettersOutsideAToZAreRefusedSilently)
{
    std::wstring dir = temp_.MakeFolder(L"dir");
    for (wchar_t letter : {L'1', L'@', L'[', L'\0', static_cast<wchar_t>(0x00C4)}) {
        EXPECT_FALSE(SetVirtualDrive(letter, dir.c_str()));
        EXPECT_FALSE(SetVirtualDrive(letter, nullptr));
        wchar_t name[3] = {letter, L':', 0};
        wchar_t target[64];
        if (letter != 0) {
            EXPECT_EQ(QueryDosDeviceW(name, target, 64), 0u) << static_cast<int>(letter);
        }
    }
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(VirtualDriveTest, InvalidPathsAreReportedAndChangeNothing)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring kept = temp_.MakeFolder(L"kept");
    ASSERT_TRUE(SetVirtualDrive(letter, kept.c_str()));
    std::wstring file = temp_.MakeFile(L"file.txt", "x");
    const std::wstring invalid[] = {file, temp_.Path() + L"\\missing\\", L"", L"\\\\no server\\share\\dir"};
    for (const std::wstring& path : invalid) {
        boxes_.Clear();
        EXPECT_FALSE(SetVirtualDrive(letter, path.c_str()));
        ASSERT_EQ(boxes_.Boxes().size(), 1u) << path;
        EXPECT_EQ(boxes_.Boxes()[0].caption, MessageText(IDS_ERROR_CAPTION));
        EXPECT_EQ(boxes_.Boxes()[0].text, MessageText(IDS_INVALID_PATH, path));
        EXPECT_EQ(boxes_.Boxes()[0].owner, nullptr);
        EXPECT_EQ(DeviceTarget(letter), L"\\??\\" + Upper1(kept));
    }
}

// The object manager resolves none of these Win32 forms: each must become the full path, or the
// drive would be listed, saved and re-created at every log-on and still fail to open.
TEST_F(VirtualDriveTest, EveryWin32FormOfADirectoryGivesItsFullPath)
{
    std::wstring base = Upper1(temp_.Path());
    std::wstring dir = temp_.MakeFolder(L"Projects");
    std::wstring slashes = base + L"/Projects";
    for (wchar_t& unit : slashes) {
        if (unit == L'\\')
            unit = L'/';
    }
    slashes[0] = towlower(slashes[0]);
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(base.c_str()));
    const std::wstring forms[] = {
        L"Projects",                                  // relative
        slashes,                                      // forward slashes
        base.substr(0, 2) + L"Projects",              // drive-relative
        base + L"\\a\\..\\Projects",                  // dot segments
        dir + L"\\.",
        dir + L".",                                   // trailing dot or blank
        dir + L" ",
    };
    for (const std::wstring& form : forms) {
        wchar_t letter = TakeFreeLetter();
        EXPECT_TRUE(SetVirtualDrive(letter, form.c_str())) << form;
        EXPECT_EQ(DeviceTarget(letter), L"\\??\\" + dir) << form;
        wchar_t listed[1024] = L"";
        EXPECT_EQ(QueryVirtualDrive(letter, listed, 1024), DriveQuery::Virtual) << form;
        EXPECT_EQ(listed, dir) << form;
    }
    // A full form that would not fit is refused, and the box shows what was given.
    std::wstring deep = std::wstring(1000, L'x');   // about 1040 units once the folder is in front
    ASSERT_GT(base.size() + 1 + deep.size(), 1023u);
    wchar_t letter = TakeFreeLetter();
    EXPECT_FALSE(SetVirtualDrive(letter, deep.c_str()));
    EXPECT_EQ(DeviceTarget(letter), L"");
    SetCurrentDirectoryW(previous);
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, MessageText(IDS_INVALID_PATH, deep));
}

decltype(&QueryDosDeviceW) g_realQuery = nullptr;

// Windows' QueryDosDeviceW: it needs room for the target and two NULs, Wine's for one.
DWORD WINAPI QueryAsWindowsDoes(LPCWSTR name, LPWSTR targets, DWORD size)
{
    wchar_t read[4096];
    DWORD length = g_realQuery(name, read, 4096);
    if (length == 0)
        return 0;
    if (lstrlenW(read) + 2 > static_cast<int>(size)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    CopyMemory(targets, read, (lstrlenW(read) + 2) * sizeof(wchar_t));
    return lstrlenW(read) + 2;
}

// The longest directory taken is one whose target Windows can still read back: one that could
// be defined but not read would never be listed, and never removed.
TEST_F(VirtualDriveTest, TargetsThatWindowsCouldNotReadBackAreRefused)
{
    ImportHook hook("kernel32.dll", "QueryDosDeviceW", reinterpret_cast<void*>(&QueryAsWindowsDoes));
    ASSERT_TRUE(hook.Installed());
    g_realQuery = reinterpret_cast<decltype(&QueryDosDeviceW)>(hook.Original());
    const struct {
        size_t length;
        const wchar_t* tail;
        bool defined;
    } cases[] = {{260, L"", true}, {1018, L"", true}, {1018, L"\\", true}, {1019, L"", false}};
    for (const auto& c : cases) {
        wchar_t letter = TakeFreeLetter();
        TempFolder temp;
        std::wstring dir = temp.MakeFolderOfLength(c.length);
        boxes_.Clear();
        EXPECT_EQ(SetVirtualDrive(letter, (dir + c.tail).c_str()), c.defined) << c.length;
        wchar_t listed[1024] = L"";
        EXPECT_EQ(QueryVirtualDrive(letter, listed, 1024), c.defined ? DriveQuery::Virtual : DriveQuery::NotVirtual);
        EXPECT_EQ(listed, c.defined ? Upper1(dir) : L"") << c.length;
        EXPECT_EQ(boxes_.Boxes().size(), c.defined ? 0u : 1u) << c.length;   // "Invalid path: ..."
        RemoveVirtualDefinitions(letter);
    }
}

int g_defineCalls = 0;
int g_failDefineCall = 0;
decltype(&DefineDosDeviceW) g_realDefine = nullptr;

BOOL WINAPI FailingDefine(DWORD flags, LPCWSTR name, LPCWSTR target)
{
    ++g_defineCalls;
    if ((flags & DDD_REMOVE_DEFINITION) == 0 && g_defineCalls == g_failDefineCall) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return g_realDefine(flags, name, target);
}

TEST_F(VirtualDriveTest, FailedRepointPutsThePreviousTargetBack)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring old = temp_.MakeFolder(L"old");
    std::wstring fresh = temp_.MakeFolder(L"new");
    ASSERT_TRUE(SetVirtualDrive(letter, old.c_str()));
    ImportHook hook("kernel32.dll", "DefineDosDeviceW", reinterpret_cast<void*>(&FailingDefine));
    ASSERT_TRUE(hook.Installed());
    g_realDefine = reinterpret_cast<decltype(&DefineDosDeviceW)>(hook.Original());
    g_defineCalls = 0;
    g_failDefineCall = 2;   // the removal is call 1, the new definition call 2
    EXPECT_FALSE(SetVirtualDrive(letter, fresh.c_str()));
    EXPECT_EQ(DeviceTarget(letter), L"\\??\\" + Upper1(old));
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, MessageText(IDS_DEFINE_FAILED, std::wstring(1, letter) + L":"));
}

TEST_F(VirtualDriveTest, FailedDefinitionOfAFreeLetterLeavesItFree)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"dir");
    ImportHook hook("kernel32.dll", "DefineDosDeviceW", reinterpret_cast<void*>(&FailingDefine));
    ASSERT_TRUE(hook.Installed());
    g_realDefine = reinterpret_cast<decltype(&DefineDosDeviceW)>(hook.Original());
    g_defineCalls = 0;
    g_failDefineCall = 1;
    EXPECT_FALSE(SetVirtualDrive(letter, dir.c_str()));
    EXPECT_EQ(DeviceTarget(letter), L"");
    EXPECT_EQ(boxes_.Boxes().size(), 1u);
}

DWORD WINAPI QueryWithTooLongTargetList(LPCWSTR, LPWSTR, DWORD)
{
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
}

// Only "not defined" means free: a letter whose targets cannot be read is left alone, silently.
TEST_F(VirtualDriveTest, UnreadableDefinitionIsNotTakenForAFreeLetter)
{
    wchar_t mapped = TakeFreeLetter(), free = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"dir");
    std::wstring other = temp_.MakeFolder(L"other");
    ASSERT_TRUE(SetVirtualDrive(mapped, dir.c_str()));
    {
        ImportHook hook("kernel32.dll", "QueryDosDeviceW", reinterpret_cast<void*>(&QueryWithTooLongTargetList));
        ASSERT_TRUE(hook.Installed());
        EXPECT_FALSE(SetVirtualDrive(mapped, nullptr));
        EXPECT_FALSE(SetVirtualDrive(mapped, other.c_str()));
        EXPECT_FALSE(SetVirtualDrive(free, other.c_str()));
        wchar_t directory[1024];
        EXPECT_EQ(QueryVirtualDrive(mapped, directory, 1024), DriveQuery::Unreadable);
    }
    EXPECT_EQ(DeviceTarget(mapped), L"\\??\\" + Upper1(dir));
    EXPECT_EQ(DeviceTarget(free), L"");
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(VirtualDriveTest, QueryGivesTheLongFormOfVirtualDrivesOnly)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"A Long Folder Name");
    wchar_t shortForm[MAX_PATH];
    ASSERT_NE(GetShortPathNameW(dir.c_str(), shortForm, MAX_PATH), 0u);
    ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\" + std::wstring(shortForm)));
    wchar_t directory[1024];
    ASSERT_EQ(QueryVirtualDrive(letter, directory, 1024), DriveQuery::Virtual);
    EXPECT_EQ(std::wstring(directory), dir);

    EXPECT_EQ(QueryVirtualDrive(L'C', directory, 1024), DriveQuery::Foreign);
    EXPECT_EQ(QueryVirtualDrive(TakeFreeLetter(), directory, 1024), DriveQuery::NotVirtual);
}

TEST_F(VirtualDriveTest, QueryOfAVanishedDirectoryGivesTheStoredText)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring gone = temp_.Path() + L"\\gone";
    ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\" + gone));
    wchar_t directory[1024];
    ASSERT_EQ(QueryVirtualDrive(letter, directory, 1024), DriveQuery::Virtual);
    EXPECT_EQ(std::wstring(directory), gone);
}

TEST(IsDirectoryTest, OnlyExistingDirectories)
{
    TempFolder temp;
    EXPECT_TRUE(IsDirectory(temp.Path().c_str()));
    EXPECT_TRUE(IsDirectory(L"C:\\"));
    EXPECT_FALSE(IsDirectory(temp.MakeFile(L"f", "").c_str()));
    EXPECT_FALSE(IsDirectory((temp.Path() + L"\\nothing").c_str()));
    EXPECT_FALSE(IsDirectory(L""));
}

}  // namespace
