// The settings file through the real profile functions, on files in a temporary folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/dll_search.h"
#include "core/virtual_drive.h"
#include "import_hook/import_hook.h"
#include "persistence/saved_drives.h"
#include "persistence/settings_file.h"
#include "res/resource.h"
#include "support/control_host.h"
#include "support/drive_letter_fixture.h"
#include "support/message_box_interceptor.h"
#include "support/run_value.h"
#include "support/settings_text.h"
#include "support/temp_folder.h"

namespace {

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

std::wstring ReadSection(const std::wstring& path, const wchar_t* section)
{
    std::vector<wchar_t> buffer(200000);
    DWORD length = GetPrivateProfileSectionW(section, buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
    return std::wstring(buffer.data(), length);
}

std::wstring ReadValue(const std::wstring& path, const wchar_t* section, const wchar_t* key)
{
    wchar_t value[256];
    GetPrivateProfileStringW(section, key, L"<missing>", value, 256, path.c_str());
    return value;
}

class SettingsFileTest : public DriveLetterTest {
protected:
    std::wstring SettingsPath() const { return temp_.Path() + L"\\Morvex.ini"; }
    std::wstring Letter(wchar_t letter) const { return std::wstring(1, letter); }

    TempFolder temp_;
    MessageBoxInterceptor boxes_{IDYES};
    RunValueGuard runValue_;
};

TEST_F(SettingsFileTest, DrivesLinesFollowTheEntrySyntax)
{
    wchar_t plain = TakeFreeLetter(), spaced = TakeFreeLetter(), tabbed = TakeFreeLetter();
    wchar_t twoKey = TakeFreeLetter(), noEquals = TakeFreeLetter(), empty = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"Data") + L"\\";
    std::wstring lines = Letter(plain) + L"=" + dir + L"\r\n" +
                         Letter(towlower(spaced)) + L" = " + dir + L"\r\n" +
                         Letter(tabbed) + L"\t=\t" + dir + L"\r\n" +
                         Letter(twoKey) + L"Y=" + dir + L"\r\n" +
                         Letter(noEquals) + L" " + dir + L"\r\n" +
                         Letter(empty) + L"=\r\n" +
                         L"1=" + dir + L"\r\n";
    temp_.MakeFile(L"Morvex.ini", Utf16FileBytes(L"[Drives]\r\n" + lines));
    ReadSettingsFile(SettingsPath().c_str(), true);

    EXPECT_EQ(DeviceTarget(plain), VirtualTarget(dir));
    EXPECT_EQ(DeviceTarget(spaced), VirtualTarget(dir));
    EXPECT_EQ(DeviceTarget(tabbed), VirtualTarget(dir));
    EXPECT_EQ(DeviceTarget(twoKey), L"");
    EXPECT_EQ(DeviceTarget(noEquals), L"");
    EXPECT_EQ(DeviceTarget(empty), L"");
    wchar_t target[64];
    EXPECT_EQ(QueryDosDeviceW(L"1:", target, 64), 0u);
    // Only the empty directory is reported; the letter 1 is refused silently.
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, MessageText(IDS_INVALID_PATH));
}

TEST_F(SettingsFileTest, LaterLineOfALetterWins)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring first = temp_.MakeFolder(L"first") + L"\\";
    std::wstring second = temp_.MakeFolder(L"second") + L"\\";
    temp_.MakeFile(L"Morvex.ini", "[Drives]\r\n" + Narrow(Letter(letter) + L"=" + first + L"\r\n" +
                                                           Letter(letter) + L"=" + second) + "\r\n");
    ReadSettingsFile(SettingsPath().c_str(), true);
    EXPECT_EQ(DeviceTarget(letter), VirtualTarget(second));
}

// The Run value, and Windows' startup manager, which may have switched it off, set the check box:
// the file's AutoStart value is written for people who read the file.
TEST_F(SettingsFileTest, RunValueAndTheStartupManagerSetTheCheckBoxOnly)
{
    const std::string on("\x02\0\0\0\0\0\0\0\0\0\0\0", 12), alsoOn("\x06\0\0\0\0\0\0\0\0\0\0\0", 12);
    const std::string off("\x03\0\0\0\x10\x32\x54\x76\x98\xBA\xDC\x01", 12), oddOff("\x01", 1);
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::wstring own = L"\"" + std::wstring(program) + L"\" /startup", other = L"\"C:\\Other\\Morvex.exe\" /startup";
    const struct {
        const char* line;
        std::wstring runValue;
        std::string mark;
        bool checked;
    } cases[] = {
        {"AutoStart=False", own, "", true}, {"AutoStart=True", L"", "", false}, {"AutoStart=True", other, "", false},
        {"AutoStart=True", own, on, true}, {"AutoStart=True", own, alsoOn, true},
        {"AutoStart=True", own, off, false}, {"AutoStart=True", own, oddOff, false},
    };
    for (const auto& c : cases) {
        ControlHost host;
        c.runValue.empty() ? runValue_.Remove() : runValue_.Write(c.runValue);
        runValue_.SetStartupMark(c.mark);
        temp_.MakeFile(L"Morvex.ini", std::string("[General]\r\n") + c.line + "\r\n");
        ReadSettingsFile(SettingsPath().c_str(), false);
        EXPECT_EQ(host.Checked(), c.checked) << c.line << " " << c.mark.size();
        // Close with the box as shown leaves the value alone, also where the startup manager switched it off.
        EXPECT_TRUE(WriteSettingsFile(SettingsPath().c_str()));
        // Loading never unchecks the box, and the start-up mode leaves it alone.
        host.SetChecked(true);
        ReadSettingsFile(SettingsPath().c_str(), false);
        EXPECT_TRUE(host.Checked()) << c.line;
        host.SetChecked(false);
        ReadSettingsFile(SettingsPath().c_str(), true);
        EXPECT_FALSE(host.Checked()) << c.line;
        EXPECT_EQ(runValue_.StartupMarkExists(), !c.mark.empty());
        EXPECT_EQ(runValue_.Exists(), !c.runValue.empty());
    }
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(SettingsFileTest, MissingFileChangesNothing)
{
    ControlHost host;
    ReadSettingsFile(SettingsPath().c_str(), false);
    ReadSettingsFile(SettingsPath().c_str(), true);
    EXPECT_FALSE(host.Checked());
    EXPECT_TRUE(boxes_.Boxes().empty());
    EXPECT_FALSE(FileExists(SettingsPath()));
}

TEST_F(SettingsFileTest, DialogAsksOnlyWhenTheListIsEmptyAndLinesExist)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"saved") + L"\\";
    std::string file = "[Drives]\r\n" + Narrow(Letter(letter) + L"=" + dir) + "\r\n";
    temp_.MakeFile(L"Morvex.ini", file);
    const std::wstring question = MessageText(IDS_LOAD_QUESTION);
    {
        ControlHost host;
        host.AddRow(L'Q', L"C:\\other\\");
        ReadSettingsFile(SettingsPath().c_str(), false);
        EXPECT_TRUE(boxes_.Boxes().empty());
        EXPECT_EQ(DeviceTarget(letter), L"");
    }
    {
        ControlHost host;
        boxes_.SetAnswer(IDNO);
        ReadSettingsFile(SettingsPath().c_str(), false);
        ASSERT_EQ(boxes_.Boxes().size(), 1u);
        EXPECT_EQ(boxes_.Boxes()[0].caption, MessageText(IDS_QUESTION_CAPTION));
        EXPECT_EQ(boxes_.Boxes()[0].text, question);
        EXPECT_EQ(boxes_.Boxes()[0].owner, host.Window());
        EXPECT_EQ(DeviceTarget(letter), L"");
        EXPECT_EQ(ReadFileBytes(SettingsPath()), file);
    }
    {
        ControlHost host;
        boxes_.Clear();
        boxes_.SetAnswer(IDYES);
        ReadSettingsFile(SettingsPath().c_str(), false);
        EXPECT_EQ(boxes_.Boxes().size(), 1u);
        EXPECT_EQ(DeviceTarget(letter), VirtualTarget(dir));
        EXPECT_EQ(host.RowCount(), 0);   // the list catches up through the device-change refresh
    }
}

TEST_F(SettingsFileTest, EmptySectionAsksNothing)
{
    ControlHost host;
    temp_.MakeFile(L"Morvex.ini", "[General]\r\nAutoStart=False\r\n[Drives]\r\n");
    ReadSettingsFile(SettingsPath().c_str(), false);
    EXPECT_TRUE(boxes_.Boxes().empty());
}

int g_sectionReads = 0;
decltype(&GetPrivateProfileSectionW) g_realSectionRead = nullptr;

DWORD WINAPI CountingSectionRead(LPCWSTR section, LPWSTR buffer, DWORD size, LPCWSTR path)
{
    ++g_sectionReads;
    return g_realSectionRead(section, buffer, size, path);
}

TEST_F(SettingsFileTest, LongSectionIsReadWhole)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"last") + L"\\";
    // Lines that count for nothing take the room; only the last one defines a drive.
    std::wstring lines;
    for (int i = 0; i < 12; ++i)
        lines += L"QQ=" + std::wstring(300, L'f') + L"\r\n";
    lines += Letter(letter) + L"=" + dir + L"\r\n";
    temp_.MakeFile(L"Morvex.ini", Utf16FileBytes(L"[Drives]\r\n" + lines));
    ImportHook hook("kernel32.dll", "GetPrivateProfileSectionW", reinterpret_cast<void*>(&CountingSectionRead));
    ASSERT_TRUE(hook.Installed());
    g_realSectionRead = reinterpret_cast<decltype(&GetPrivateProfileSectionW)>(hook.Original());
    g_sectionReads = 0;
    ReadSettingsFile(SettingsPath().c_str(), true);
    EXPECT_GE(g_sectionReads, 4);   // about 3700 units: 1024, 2048, 3072, then 4096 holds it
    EXPECT_EQ(DeviceTarget(letter), VirtualTarget(dir));
}

TEST_F(SettingsFileTest, WritesGeneralThenDrivesInListOrder)
{
    ControlHost host;
    host.SetChecked(true);
    host.AddRow(L'X', L"C:\\x dir\\");
    host.AddRow(L'D', L"C:\\d\\");
    host.AddRowWithoutRecord(L'M');
    host.AddRow(L'Q', L"C:\\");
    ASSERT_TRUE(WriteSettingsFile(SettingsPath().c_str()));
    EXPECT_EQ(ReadValue(SettingsPath(), L"General", L"AutoStart"), L"True");
    EXPECT_EQ(ReadSection(SettingsPath(), L"Drives"),
              std::wstring(L"D=C:\\d\\\0Q=C:\\\0X=C:\\x dir\\\0", 26));
    std::string bytes = ReadFileBytes(SettingsPath());
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    EXPECT_LT(text.find(L"[General]"), text.find(L"[Drives]"));
    EXPECT_NE(text.find(L"D=C:\\d\\\r\n"), std::wstring::npos);
    // The Run value follows the check box before the file is written.
    EXPECT_TRUE(runValue_.Exists());

    host.SetChecked(false);
    ASSERT_TRUE(WriteSettingsFile(SettingsPath().c_str()));
    EXPECT_EQ(ReadValue(SettingsPath(), L"General", L"AutoStart"), L"False");
    EXPECT_FALSE(runValue_.Exists());
}

TEST_F(SettingsFileTest, EmptyListLeavesTheSectionWithoutLines)
{
    {
        ControlHost host;
        host.AddRow(L'D', L"C:\\d\\");
        ASSERT_TRUE(WriteSettingsFile(SettingsPath().c_str()));
    }
    ControlHost host;
    ASSERT_TRUE(WriteSettingsFile(SettingsPath().c_str()));
    EXPECT_EQ(ReadSection(SettingsPath(), L"Drives"), L"");
    std::string bytes = ReadFileBytes(SettingsPath());
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    EXPECT_NE(text.find(L"[Drives]"), std::wstring::npos);
    EXPECT_EQ(text.find(L"D=C:"), std::wstring::npos);
}

TEST_F(SettingsFileTest, LongListIsWrittenComplete)
{
    ControlHost host;
    std::wstring expected;
    for (wchar_t letter = L'D'; letter <= L'J'; ++letter) {
        std::wstring directory = L"C:\\" + std::wstring(900, letter) + L"\\";
        host.AddRow(letter, directory);
        expected += std::wstring(1, letter) + L"=" + directory + std::wstring(1, L'\0');
    }
    ASSERT_TRUE(WriteSettingsFile(SettingsPath().c_str()));
    EXPECT_EQ(ReadSection(SettingsPath(), L"Drives"), expected);
}

TEST_F(SettingsFileTest, CharactersOutsideTheAnsiCodePageSurvive)
{
    wchar_t chinese = TakeFreeLetter();
    wchar_t astral = TakeFreeLetter();
    std::wstring chineseDir = temp_.MakeFolder(L"\x8d44\x6599") + L"\\";
    std::wstring astralDir = temp_.MakeFolder(L"music \xD834\xDD1E") + L"\\";
    {
        ControlHost host;
        host.AddRow(chinese, chineseDir);
        host.AddRow(astral, astralDir);
        ASSERT_TRUE(WriteSettingsFile(SettingsPath().c_str()));
    }
    std::wstring section = ReadSection(SettingsPath(), L"Drives");
    EXPECT_NE(section.find(std::wstring(1, chinese) + L"=" + chineseDir), std::wstring::npos);
    EXPECT_NE(section.find(std::wstring(1, astral) + L"=" + astralDir), std::wstring::npos);
    ReadSettingsFile(SettingsPath().c_str(), true);
    EXPECT_EQ(DeviceTarget(chinese), VirtualTarget(chineseDir));
    EXPECT_EQ(DeviceTarget(astral), VirtualTarget(astralDir));
    EXPECT_TRUE(boxes_.Boxes().empty());
}

// A file made or saved by hand has no UTF-16 mark: it is read as UTF-8 when it is valid UTF-8,
// else in the ANSI code page, loading leaves it alone, and Close rewrites it in UTF-16 with its
// other sections kept.
TEST_F(SettingsFileTest, HandMadeFilesAreReadInTheirEncodingAndSavedInUtf16)
{
    wchar_t letter = TakeFreeLetter(), added = TakeFreeLetter();
    std::wstring chinese = temp_.MakeFolder(L"acc\\\x8d44\x6599") + L"\\";
    std::wstring cafe = temp_.MakeFolder(L"caf\xE9") + L"\\";
    const std::string line = Utf8Bytes(std::wstring(1, letter) + L"=" + chinese) + "\r\n";
    const struct {
        std::string bytes;
        std::wstring defined;
    } cases[] = {
        {"[Drives]\r\n" + line + "[Notes]\r\nn=caf\xC3\xA9\r\n", chinese},                // Notepad's UTF-8
        {"\xEF\xBB\xBF[Drives]\r\n" + line + "[Notes]\r\nn=caf\xC3\xA9\r\n", chinese},  // with its mark
        {"[Drives]\r\n" + Narrow(std::wstring(1, letter) + L"=" + cafe) + "\r\n[Notes]\r\nn=caf\xE9\r\n", cafe},  // Windows-1252
    };
    for (const auto& c : cases) {
        temp_.MakeFile(L"Morvex.ini", c.bytes);
        ReadSettingsFile(SettingsPath().c_str(), true);
        EXPECT_EQ(DeviceTarget(letter), VirtualTarget(c.defined));
        EXPECT_EQ(ReadFileBytes(SettingsPath()), c.bytes);
        RemoveVirtualDefinitions(letter);
        {
            ControlHost host;
            host.AddRow(added, chinese);
            ASSERT_TRUE(WriteSettingsFile(SettingsPath().c_str()));
        }
        EXPECT_EQ(ReadFileBytes(SettingsPath()).substr(0, 2), "\xFF\xFE");
        EXPECT_EQ(ReadValue(SettingsPath(), L"Notes", L"n"), L"caf\xE9");
        EXPECT_EQ(ReadSection(SettingsPath(), L"Drives"), std::wstring(1, added) + L"=" + chinese + std::wstring(1, L'\0'));
    }
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(SettingsFileTest, WithoutTheDialogNothingIsWritten)
{
    EXPECT_FALSE(WriteSettingsFile(SettingsPath().c_str()));
    EXPECT_FALSE(FileExists(SettingsPath()));
    EXPECT_FALSE(runValue_.Exists());
}

TEST_F(SettingsFileTest, UnwritableFolderFailsAfterTheRunValue)
{
    ControlHost host;
    host.SetChecked(true);
    std::wstring path = temp_.Path() + L"\\missing folder\\Morvex.ini";
    EXPECT_FALSE(WriteSettingsFile(path.c_str()));
    EXPECT_TRUE(runValue_.Exists());
    EXPECT_FALSE(FileExists(path));
}

decltype(&WritePrivateProfileSectionW) g_realSectionWrite = nullptr;
decltype(&ReplaceFileW) g_realReplace = nullptr;
decltype(&FlushFileBuffers) g_realFlush = nullptr;
decltype(&Sleep) g_realSleep = nullptr;
bool g_writeSucceeds = false, g_writeIsCut = false;
int g_replaces = 0, g_lockedReplaces = 0, g_flushes = 0, g_writeLocks = 0;
DWORD g_lockError = 0;
HANDLE g_heldFile = INVALID_HANDLE_VALUE;   // another program's, without sharing, until the save waits

// A write that fails, or that a full disk cut short while the system reported it done.
BOOL WINAPI SectionWriteCutOrFailed(LPCWSTR section, LPCWSTR lines, LPCWSTR path)
{
    if (!g_writeSucceeds || g_writeLocks-- > 0) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return FALSE;
    }
    BOOL written = g_realSectionWrite(section, lines, path);
    if (!g_writeIsCut)
        return written;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    size.QuadPart -= 7;
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    return written;
}

// Windows' ReplaceFileW, which keeps the replaced file's attributes (Wine's drops them), behind
// g_lockedReplaces refusals; the new file's data has reached the disk before. It fails with 1176
// and 1177 once the old file has left its name: for the backup, or without one for good.
BOOL WINAPI WindowsReplace(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID, LPVOID)
{
    if (g_replaces++ < g_lockedReplaces) {
        if (g_lockError == ERROR_UNABLE_TO_MOVE_REPLACEMENT || g_lockError == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
            backup != nullptr ? MoveFileExW(replaced, backup, MOVEFILE_REPLACE_EXISTING) : DeleteFileW(replaced);
        SetLastError(g_lockError);
        return FALSE;
    }
    EXPECT_EQ(g_flushes, 1);
    DWORD attributes = GetFileAttributesW(replaced);
    return g_realReplace(replaced, replacement, backup, flags, nullptr, nullptr) && SetFileAttributesW(replaced, attributes);
}

void WINAPI SleepWhileAHolderLetsGo(DWORD milliseconds)
{
    if (g_heldFile != INVALID_HANDLE_VALUE)
        CloseHandle(g_heldFile);
    g_heldFile = INVALID_HANDLE_VALUE;
    g_realSleep(milliseconds);
}

BOOL WINAPI CountedFlush(HANDLE file)
{
    ++g_flushes;
    return g_realFlush(file);
}

// A save keeps what the file was (a second name, attributes, where no new file can be made, a lock
// that clears, on the old file too), or leaves it as it was: a cut, a failed write, a lasting lock,
// a refused replace, one that took the old file away and could not move the new one in (1176, 1177).
TEST_F(SettingsFileTest, SaveReplacesTheFileWholeOrLeavesItAsItWas)
{
    enum Kind { CutLines, CutSection, FailedWrite, Locked, Refused, Unmoved, Unmoved2, Plain, HardLink, Hidden, NoNewFile,
                PassingLock, PassingOldLock, PassingNewLock, PassingWriteLock };
    ImportHook write("kernel32.dll", "WritePrivateProfileSectionW", reinterpret_cast<void*>(&SectionWriteCutOrFailed));
    ImportHook replace("kernel32.dll", "ReplaceFileW", reinterpret_cast<void*>(&WindowsReplace));
    ImportHook flush("kernel32.dll", "FlushFileBuffers", reinterpret_cast<void*>(&CountedFlush));
    ImportHook pause("kernel32.dll", "Sleep", reinterpret_cast<void*>(&SleepWhileAHolderLetsGo));
    ASSERT_TRUE(write.Installed() && replace.Installed() && flush.Installed() && pause.Installed());
    g_realSectionWrite = reinterpret_cast<decltype(&WritePrivateProfileSectionW)>(write.Original());
    g_realReplace = reinterpret_cast<decltype(&ReplaceFileW)>(replace.Original());
    g_realFlush = reinterpret_cast<decltype(&FlushFileBuffers)>(flush.Original());
    g_realSleep = reinterpret_cast<decltype(&Sleep)>(pause.Original());
    const std::wstring path = SettingsPath(), newPath = path + L".new", other = temp_.Path() + L"\\other name.ini";
    for (Kind kind : {CutLines, CutSection, FailedWrite, Locked, Refused, Unmoved, Unmoved2, Plain, HardLink, Hidden,
                      NoNewFile, PassingLock, PassingOldLock, PassingNewLock, PassingWriteLock}) {
        const std::string bytes = Utf16FileBytes(L"[General]\r\nAutoStart=False\r\n[Drives]\r\nQ=C:\\old\\\r\n" +
                                                 std::wstring(kind == CutLines ? L"" : L"[Notes]\r\nn=kept\r\n"));
        temp_.MakeFile(L"Morvex.ini", bytes);
        ASSERT_TRUE(kind != HardLink || CreateHardLinkW(other.c_str(), path.c_str(), nullptr));
        ASSERT_TRUE(kind != NoNewFile || CreateDirectoryW(newPath.c_str(), nullptr));   // its name is taken
        SetFileAttributesW(path.c_str(), kind == Hidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL);
        g_writeSucceeds = kind != FailedWrite;
        g_writeIsCut = kind == CutLines || kind == CutSection;
        const DWORD errors[] = {ERROR_LOCK_VIOLATION, ERROR_ACCESS_DENIED, ERROR_UNABLE_TO_MOVE_REPLACEMENT,
                                ERROR_UNABLE_TO_MOVE_REPLACEMENT_2};
        g_lockError = kind >= Locked && kind <= Unmoved2 ? errors[kind - Locked] : ERROR_SHARING_VIOLATION;
        g_lockedReplaces = kind >= Locked && kind <= Unmoved2 ? 1000 : kind == PassingLock ? 3 : 0;
        g_replaces = g_flushes = 0;
        g_writeLocks = kind == PassingWriteLock ? 2 : 0;
        if (kind == PassingOldLock || kind == PassingNewLock)
            g_heldFile = CreateFileW((kind == PassingOldLock ? path : newPath).c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
        ControlHost host;
        host.AddRow(L'D', L"C:\\d\\");
        EXPECT_EQ(WriteSettingsFile(path.c_str()), kind >= Plain) << kind;
        EXPECT_EQ(g_replaces > 1, kind == Locked || kind == Unmoved || kind == Unmoved2 || kind == PassingLock) << kind;
        EXPECT_TRUE(kind >= Plain || ReadFileBytes(path) == bytes) << kind;
        EXPECT_TRUE(kind < Plain || ReadSection(path, L"Drives") == std::wstring(L"D=C:\\d\\\0", 8)) << kind;
        EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, kind == Hidden ? FILE_ATTRIBUTE_HIDDEN : 0u) << kind;
        EXPECT_TRUE(kind != HardLink || ReadFileBytes(other) == ReadFileBytes(path));
        EXPECT_TRUE(RemoveDirectoryW(newPath.c_str()) == (kind == NoNewFile) && !FileExists(newPath)) << kind;
        EXPECT_TRUE(g_heldFile == INVALID_HANDLE_VALUE && !FileExists(path + L".old")) << kind;
        DeleteFileW(other.c_str());
    }
}

// A save cut between the two names, the old file put back in vain, leaves the list in the new file
// alone: the dialog and the log-on run read it, and the next save puts it in place with all it holds.
TEST_F(SettingsFileTest, ListLeftInTheNewFileIsReadAndPutInPlace)
{
    const wchar_t letter = TakeFreeLetter();
    const std::wstring dir = temp_.MakeFolder(L"saved") + L"\\";
    temp_.MakeFile(L"Morvex.ini.new", Utf16FileBytes(L"[Drives]\r\n" + Letter(letter) + L"=" + dir + L"\r\n[Notes]\r\nn=kept\r\n"));
    EXPECT_TRUE(ReadSettingsFile(SettingsPath().c_str(), true));
    EXPECT_EQ(DeviceTarget(letter), VirtualTarget(dir));
    ControlHost host;
    host.AddRow(L'D', L"C:\\d\\");
    EXPECT_TRUE(WriteSettingsFile(SettingsPath().c_str()));
    EXPECT_EQ(ReadValue(SettingsPath(), L"Notes", L"n"), L"kept");
    EXPECT_FALSE(FileExists(SettingsPath() + L".new"));
}

HGLOBAL WINAPI RefusingAlloc(UINT, SIZE_T)
{
    return nullptr;
}

TEST_F(SettingsFileTest, NoSectionBufferMeansNothingApplied)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"d") + L"\\";
    temp_.MakeFile(L"Morvex.ini", "[Drives]\r\n" + Narrow(std::wstring(1, letter) + L"=" + dir) + "\r\n");
    ControlHost host;
    host.AddRow(L'D', L"C:\\d\\");
    {
        ImportHook hook("kernel32.dll", "GlobalAlloc", reinterpret_cast<void*>(&RefusingAlloc));
        ASSERT_TRUE(hook.Installed());
        ReadSettingsFile(SettingsPath().c_str(), true);
        EXPECT_FALSE(WriteSettingsFile(SettingsPath().c_str()));
    }
    EXPECT_EQ(DeviceTarget(letter), L"");
    EXPECT_EQ(ReadSection(SettingsPath(), L"Drives"), std::wstring(1, letter) + L"=" + dir + std::wstring(1, L'\0'));
}

// Heap blocks that come back holding the lines of a saved drive, as reused memory may.
decltype(&GlobalAlloc) g_realGlobalAlloc = nullptr;
wchar_t g_leftoverLetter = 0;

HGLOBAL WINAPI AllocHoldingALeftoverLine(UINT flags, SIZE_T bytes)
{
    HGLOBAL block = g_realGlobalAlloc(flags, bytes);
    const wchar_t line[] = {g_leftoverLetter, L'=', L'C', L':', L'\\', L'\0', L'\0'};
    if (block != nullptr && (flags & GMEM_ZEROINIT) == 0 && bytes >= sizeof(line))
        CopyMemory(reinterpret_cast<void*>(block), line, sizeof(line));
    return block;
}

// Wine empties the buffer when it cannot open the file; nothing promises that, so the stand-in
// leaves it as it was.
DWORD WINAPI SectionReadLeavingTheBufferAlone(LPCWSTR section, LPWSTR buffer, DWORD size, LPCWSTR path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_NOT_FOUND)
        return 0;
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return g_realSectionRead(section, buffer, size, path);
}

// A settings file that exists but cannot be opened reads as "nothing saved", even when the
// profile function leaves the buffer as it found it: no question, no drive, no box.
TEST_F(SettingsFileTest, FileThatCannotBeOpenedReadsAsNothingSaved)
{
    ImportHook alloc("kernel32.dll", "GlobalAlloc", reinterpret_cast<void*>(&AllocHoldingALeftoverLine));
    ImportHook read("kernel32.dll", "GetPrivateProfileSectionW",
                    reinterpret_cast<void*>(&SectionReadLeavingTheBufferAlone));
    ASSERT_TRUE(alloc.Installed() && read.Installed());
    g_realGlobalAlloc = reinterpret_cast<decltype(&GlobalAlloc)>(alloc.Original());
    g_realSectionRead = reinterpret_cast<decltype(&GetPrivateProfileSectionW)>(read.Original());
    g_leftoverLetter = TakeFreeLetter();
    for (bool lockedFile : {false, true}) {
        HANDLE lock = INVALID_HANDLE_VALUE;
        if (lockedFile) {
            temp_.MakeFile(L"Morvex.ini", "[Drives]\r\n");
            lock = CreateFileW(SettingsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        } else {
            ASSERT_TRUE(CreateDirectoryW(SettingsPath().c_str(), nullptr));
        }
        for (bool startupMode : {false, true}) {
            ControlHost* host = startupMode ? nullptr : new ControlHost;
            ReadSettingsFile(SettingsPath().c_str(), startupMode);
            EXPECT_TRUE(boxes_.Boxes().empty()) << lockedFile << startupMode;
            EXPECT_EQ(DeviceTarget(g_leftoverLetter), L"") << lockedFile << startupMode;
            delete host;
            boxes_.Clear();
        }
        if (lockedFile) {
            CloseHandle(lock);
            DeleteFileW(SettingsPath().c_str());
        } else {
            RemoveDirectoryW(SettingsPath().c_str());
        }
    }
}

// A letter that appears mid-run, as a network drive that Windows reconnects after log-on: a link
// in the prefix's dosdevices folder, as Wine makes its own drives, by Linux's ln (Wine starts a
// Linux program as any other). Made at the log-on run's first pause.
wchar_t g_arrivingLetter = 0;
std::wstring g_arrivingFolder, g_arrivedLink;

void RunLinux(std::wstring commandLine)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

void WINAPI SleepWhileAVolumeArrives(DWORD milliseconds)
{
    char*(CDECL * unixName)(LPCWSTR) = nullptr;
    wchar_t prefix[MAX_PATH] = L"";
    static volatile LONG arriving = 0;   // the first pause of any thread
    if (InterlockedExchange(&arriving, 1) == 0 &&
        BindFunction(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name", &unixName) &&
        GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH) != 0) {
        char* folder = unixName(g_arrivingFolder.c_str());
        g_arrivedLink = prefix + std::wstring(L"/dosdevices/") + wchar_t(towlower(g_arrivingLetter)) + L":";
        RunLinux(L"Z:\\bin\\ln -s \"" + std::wstring(folder, folder + strlen(folder)) + L"\" \"" + g_arrivedLink + L"\"");
        HeapFree(GetProcessHeap(), 0, folder);
    }
    g_realSleep(milliseconds);
}

// A server that does not answer: a look at its share blocks until the test lets it go.
HANDLE g_serverAnswers = nullptr;
volatile LONG g_lookingAtServer = 0;
decltype(&GetFileAttributesW) g_attributesOfFiles = nullptr;
DWORD WINAPI AttributesWithAServerThatDoesNotAnswer(LPCWSTR path)
{
    if (wcsncmp(path, L"\\\\silent\\", 9) != 0)
        return g_attributesOfFiles(path);
    InterlockedExchange(&g_lookingAtServer, 1);
    WaitForSingleObject(g_serverAnswers, 30000);
    InterlockedExchange(&g_lookingAtServer, 0);
    return INVALID_FILE_ATTRIBUTES;
}

// The log-on run maps a drive on a volume that arrives after it began while the others go ahead,
// and only then shows its boxes: a folder missing from a fixed disk, a drive built on that one and
// a letter held by a device in the order found, then a volume that never came and a server that
// never answered, given up on at the end of the wait without waiting for the server.
TEST_F(SettingsFileTest, LogOnWaitsForVolumesThatArriveLater)
{
    wchar_t late = TakeFreeLetter(), onLate = TakeFreeLetter(), never = TakeFreeLetter(), onNever = TakeFreeLetter();
    wchar_t missing = TakeFreeLetter(), onMissing = TakeFreeLetter(), plain = TakeFreeLetter(), silent = TakeFreeLetter();
    wchar_t taken = TakeLetterHeldByDevice();
    g_arrivingLetter = late;
    g_arrivingFolder = temp_.MakeFolder(L"volume");
    const std::wstring dir = temp_.MakeFolder(L"volume\\proj") + L"\\", neverDir = Letter(never) + L":\\proj\\";
    const std::wstring missingDir = temp_.Path() + L"\\missing\\", onMissingDir = Letter(missing) + L":\\sub\\";
    const std::wstring silentDir = L"\\\\silent\\share\\";
    temp_.MakeFile(L"Morvex.ini", Utf16FileBytes(L"[Drives]\r\n" + Letter(onLate) + L"=" + Letter(late) + L":\\proj\\\r\n" +
                                                 Letter(onNever) + L"=" + neverDir + L"\r\n" + Letter(missing) + L"=" +
                                                 missingDir + L"\r\n" + Letter(onMissing) + L"=" + onMissingDir + L"\r\n" +
                                                 Letter(plain) + L"=" + dir + L"\r\n" + Letter(taken) + L"=" + dir + L"\r\n" +
                                                 Letter(silent) + L"=" + silentDir + L"\r\n"));
    ImportHook pause("kernel32.dll", "Sleep", reinterpret_cast<void*>(&SleepWhileAVolumeArrives));
    g_realSleep = reinterpret_cast<decltype(&Sleep)>(pause.Original());
    ImportHook server("kernel32.dll", "GetFileAttributesW", reinterpret_cast<void*>(&AttributesWithAServerThatDoesNotAnswer));
    g_attributesOfFiles = reinterpret_cast<decltype(&GetFileAttributesW)>(server.Original());
    g_serverAnswers = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    int boxesAfterTheOthersMapped = 0;
    boxes_.WhileOpen([&] { boxesAfterTheOthersMapped += DeviceTarget(plain) == VirtualTarget(dir) && DeviceTarget(onLate) != L""; });
    g_dwLateVolumeWait = 2000;
    EXPECT_FALSE(ReadSettingsFile(SettingsPath().c_str(), true));
    EXPECT_EQ(g_lookingAtServer, 1) << "the run waited for the server";
    SetEvent(g_serverAnswers);
    g_dwLateVolumeWait = 60000;
    RunLinux(L"Z:\\bin\\rm -f \"" + g_arrivedLink + L"\"");
    EXPECT_EQ(DeviceTarget(onLate), L"\\??\\" + Letter(late) + L":\\proj");
    EXPECT_EQ(boxesAfterTheOthersMapped, 5);
    EXPECT_EQ(boxes_.Texts(), (std::vector<std::wstring>{MessageText(IDS_INVALID_PATH, missingDir),
                                                         MessageText(IDS_INVALID_PATH, onMissingDir),
                                                         MessageText(IDS_LETTER_TAKEN, dir, taken),
                                                         MessageText(IDS_INVALID_PATH, neverDir),
                                                         MessageText(IDS_INVALID_PATH, silentDir)}));
}

decltype(&GetFileAttributesW) g_realAttributes = nullptr;

// Files reached through the drives that DefineDosDeviceW made, as on Windows (Wine cannot).
DWORD WINAPI AttributesThroughDrives(LPCWSTR path)
{
    std::wstring resolved = path;
    for (int step = 0; step < 26 && resolved.size() >= 2 && resolved[1] == L':'; ++step) {
        std::wstring target = DeviceTarget(towupper(resolved[0]));
        if (target.rfind(L"\\??\\", 0) != 0)
            break;
        resolved = target.substr(4) + resolved.substr(2);
    }
    return g_realAttributes(resolved.c_str());
}

// Drives built on drives: loading maps a drive whose folder lies on another saved drive after that
// one, whatever the file's order, and no drive may reach itself, directly or through another.
TEST_F(SettingsFileTest, DrivesBuiltOnDrives)
{
    ImportHook windows("kernel32.dll", "GetFileAttributesW", reinterpret_cast<void*>(&AttributesThroughDrives));
    g_realAttributes = reinterpret_cast<decltype(&GetFileAttributesW)>(windows.Original());
    wchar_t upper = TakeFreeLetter(), base = TakeFreeLetter();
    const std::wstring baseDir = temp_.MakeFolder(L"base"), onBase = Letter(base) + L":\\sub";
    temp_.MakeFolder(L"base\\sub\\deeper");
    temp_.MakeFile(L"Morvex.ini", Utf16FileBytes(L"[Drives]\r\n" + Letter(upper) + L"=" + onBase + L"\\\r\n" +
                                                 Letter(base) + L"=" + baseDir + L"\\\r\n"));
    ControlHost host;   // the dialog maps without waiting: a drive mapped before its base would fail
    EXPECT_TRUE(ReadSettingsFile(SettingsPath().c_str(), false));
    EXPECT_EQ(DeviceTarget(upper), L"\\??\\" + onBase);
    EXPECT_EQ(boxes_.Boxes().size(), 1u);   // the offer only
    for (const std::wstring& loop : {onBase, Letter(upper) + L":\\deeper"}) {
        EXPECT_FALSE(SetVirtualDrive(base, loop.c_str()));
        EXPECT_EQ(boxes_.Boxes().back().text, MessageText(IDS_INVALID_PATH, loop));
    }
    EXPECT_EQ(DeviceTarget(base), VirtualTarget(baseDir));
}

}  // namespace
