// Raw targets of virtual drives, device names, bounded strings and system library paths.
#include <gtest/gtest.h>

#include <string>

#include "core/bounded_string.h"
#include "core/drive_letter.h"
#include "core/entry_rules.h"
#include "core/raw_target.h"

namespace {

TEST(BuildRawTarget, NormalisesTheDirectory)
{
    const struct {
        const wchar_t* directory;
        const wchar_t* target;
    } cases[] = {
        {L"c:\\dir\\", L"\\??\\C:\\dir"},
        {L"C:\\dir", L"\\??\\C:\\dir"},
        {L"E:\\", L"\\??\\E:"},
        {L"d:\\Work\\", L"\\??\\D:\\Work"},
        {L"C:\\a\\\\", L"\\??\\C:\\a\\"},  // only one trailing backslash goes
        {L"D:\\\x8d44\x6599\\", L"\\??\\D:\\\x8d44\x6599"},
        {L"C:\\R&D", L"\\??\\C:\\R&D"},
        {L"\\\\server\\share\\dir\\", L"\\??\\UNC\\server\\share\\dir"},
        {L"\\\\?\\c:\\dir", L"\\??\\C:\\dir"},
        {L"\\\\?\\UNC\\server\\share", L"\\??\\UNC\\server\\share"},
        {L"\\\\.\\C:\\dir\\", L"\\??\\C:\\dir"},
    };
    for (const auto& c : cases) {
        wchar_t target[kTargetCapacity];
        ASSERT_TRUE(BuildRawTarget(c.directory, target, kTargetCapacity)) << c.directory;
        EXPECT_STREQ(target, c.target) << c.directory;
    }
}

TEST(BuildRawTarget, RefusesWhatWouldBeCut)
{
    // The prefix takes 4 units and Windows' read-back two terminators, so 1018 units of directory fit.
    const struct {
        size_t length;
        bool trailingBackslash;
        bool fits;
    } cases[] = {
        {1018, false, true},
        {1019, false, false},
        {1019, true, true},   // the dropped backslash makes room
        {1020, true, false},
        {1023, false, false},
        {5000, false, false},
    };
    for (const auto& c : cases) {
        std::wstring directory = L"C:\\" + std::wstring(c.length - 3, L'a');
        if (c.trailingBackslash)
            directory.back() = L'\\';
        wchar_t target[kTargetCapacity];
        target[0] = L'x';
        bool fits = BuildRawTarget(directory.c_str(), target, kLongestReadableTarget + 1);
        EXPECT_EQ(fits, c.fits) << c.length;
        if (fits) {
            EXPECT_EQ(std::wstring(target).size(), 4 + c.length - (c.trailingBackslash ? 1 : 0));
        } else {
            EXPECT_EQ(target[0], L'\0');
        }
    }
}

TEST(MayHoldShortNames, OnlyWhereATildeStands)
{
    EXPECT_TRUE(MayHoldShortNames(L"C:\\PROGRA~1\\Morvex"));
    EXPECT_TRUE(MayHoldShortNames(L"C:\\dir~"));
    EXPECT_FALSE(MayHoldShortNames(L"C:\\Program Files\\Morvex"));
    EXPECT_FALSE(MayHoldShortNames(L""));
}

TEST(VirtualDriveTarget, RecognisesOnlyThePrefix)
{
    EXPECT_TRUE(IsVirtualDriveTarget(L"\\??\\C:\\dir"));
    EXPECT_TRUE(IsVirtualDriveTarget(L"\\??\\"));
    EXPECT_FALSE(IsVirtualDriveTarget(L"\\Device\\HarddiskVolume1"));
    EXPECT_FALSE(IsVirtualDriveTarget(L"\\??"));
    EXPECT_FALSE(IsVirtualDriveTarget(L""));
}

// What the list shows and the settings file keeps must build the same target again.
TEST(VirtualDriveTarget, DirectoryReadBackBuildsTheTargetAgain)
{
    const struct {
        const wchar_t* target;
        const wchar_t* directory;
        const wchar_t* rebuilt;
    } cases[] = {
        {L"\\??\\C:\\dir", L"C:\\dir", L"\\??\\C:\\dir"},
        {L"\\??\\C:", L"C:", L"\\??\\C:"},
        {L"\\??\\UNC\\server\\share\\dir", L"\\\\server\\share\\dir", L"\\??\\UNC\\server\\share\\dir"},
        {L"\\??\\unc\\server\\share", L"\\\\server\\share", L"\\??\\UNC\\server\\share"},
        {L"\\??\\UNCLE", L"\\\\?\\UNCLE", L"\\??\\UNCLE"},
        {L"\\??\\Volume{0123}\\dir", L"\\\\?\\Volume{0123}\\dir", L"\\??\\Volume{0123}\\dir"},
    };
    for (const auto& c : cases) {
        wchar_t directory[kTargetCapacity];
        DirectoryOfTarget(c.target, directory, kTargetCapacity);
        EXPECT_STREQ(directory, c.directory) << c.target;
        wchar_t target[kTargetCapacity];
        ASSERT_TRUE(BuildRawTarget(directory, target, kTargetCapacity));
        EXPECT_STREQ(target, c.rebuilt) << c.target;
    }
}

TEST(DriveLetter, UpperCasesAndValidates)
{
    wchar_t name[kDeviceNameLength];
    BuildDeviceName(L'x', name);
    EXPECT_STREQ(name, L"X:");
    EXPECT_TRUE(IsDriveLetter(L'a'));
    EXPECT_TRUE(IsDriveLetter(L'Z'));
    for (wchar_t unit : {L'1', L'@', L'[', L'`', L'{', L'\0', L':', static_cast<wchar_t>(0xC9)})
        EXPECT_FALSE(IsDriveLetter(unit)) << static_cast<int>(unit);
}

TEST(BoundedString, CutsAndTerminates)
{
    wchar_t buffer[5];
    EXPECT_TRUE(CopyBounded(buffer, 5, L"abcd"));
    EXPECT_STREQ(buffer, L"abcd");
    EXPECT_FALSE(CopyBounded(buffer, 5, L"abcde"));
    EXPECT_STREQ(buffer, L"abcd");
    EXPECT_TRUE(CopyBounded(buffer, 5, L"ab"));
    EXPECT_TRUE(AppendBounded(buffer, 5, L"c"));
    EXPECT_FALSE(AppendBounded(buffer, 5, L"de"));
    EXPECT_STREQ(buffer, L"abcd");
    EXPECT_EQ(BoundedLength(L"abcdef", 3), 3u);
    EXPECT_EQ(BoundedLength(L"ab", 3), 2u);

    wchar_t formatted[8];
    EXPECT_TRUE(FormatBounded(formatted, 8, L"%ls-%d", L"ab", 12));
    EXPECT_STREQ(formatted, L"ab-12");
    EXPECT_FALSE(FormatBounded(formatted, 8, L"%ls-%d", L"abcdef", 12));
    EXPECT_STREQ(formatted, L"abcdef-");   // cut and terminated
    EXPECT_FALSE(FormatBounded(formatted, 8, L"%ls", L"1234567"));   // exactly full counts as cut
}

TEST(BoundedString, ComparesWithoutRegardToCase)
{
    EXPECT_TRUE(EqualsIgnoringCase(L"StartUP", L"startup"));
    EXPECT_FALSE(EqualsIgnoringCase(L"startups", L"startup"));
    EXPECT_FALSE(EqualsIgnoringCase(L"start", L"startup"));
    EXPECT_TRUE(StartsWithIgnoringCase(L"TrueType", L"true"));
    EXPECT_TRUE(StartsWithIgnoringCase(L"unc\\server", L"UNC\\"));
    EXPECT_FALSE(StartsWithIgnoringCase(L"Tru", L"true"));
    EXPECT_TRUE(StartsWithIgnoringCase(L"", L""));
}

TEST(VersionRule, NtFamilyFromWindows2000)
{
    EXPECT_TRUE(IsSupportedVersion(2, 5));
    EXPECT_TRUE(IsSupportedVersion(2, 6));
    EXPECT_TRUE(IsSupportedVersion(2, 10));
    EXPECT_FALSE(IsSupportedVersion(2, 4));   // NT 4
    EXPECT_FALSE(IsSupportedVersion(1, 4));   // Windows 9x
    EXPECT_FALSE(IsSupportedVersion(1, 5));
    EXPECT_FALSE(IsSupportedVersion(0, 6));   // Win32s
}

TEST(JoinLibraryPath, SystemDirectoryPlusName)
{
    const struct {
        const wchar_t* directory;
        const wchar_t* path;
    } cases[] = {
        {L"C:\\windows\\system32", L"C:\\windows\\system32\\UxTheme.dll"},
        {L"C:\\windows\\system32\\", L"C:\\windows\\system32\\UxTheme.dll"},
        {L"C:\\", L"C:\\UxTheme.dll"},
        {L"C:", L"C:\\UxTheme.dll"},
    };
    for (const auto& c : cases) {
        wchar_t path[260];
        ASSERT_TRUE(JoinLibraryPath(c.directory, L"UxTheme.dll", path, 260)) << c.directory;
        EXPECT_STREQ(path, c.path);
    }
}

TEST(JoinLibraryPath, RefusesEmptyDirectoryAndPathsThatWouldBeCut)
{
    wchar_t path[32];
    path[0] = L'x';
    EXPECT_FALSE(JoinLibraryPath(L"", L"UxTheme.dll", path, 32));
    EXPECT_STREQ(path, L"");

    // "C:\a\UxTheme.dll" is 16 units and its terminator one more.
    EXPECT_TRUE(JoinLibraryPath(L"C:\\a", L"UxTheme.dll", path, 17));
    EXPECT_STREQ(path, L"C:\\a\\UxTheme.dll");
    const struct {
        const wchar_t* directory;
        size_t capacity;
    } cut[] = {{L"C:\\a", 16}, {L"C:\\a", 5}, {L"C:\\a", 4}, {L"C:\\ab", 17}, {L"C:\\ab\\", 17}, {L"C:\\a", 1}};
    for (const auto& c : cut) {
        path[0] = L'x';
        EXPECT_FALSE(JoinLibraryPath(c.directory, L"UxTheme.dll", path, c.capacity)) << c.directory << c.capacity;
        EXPECT_STREQ(path, L"");
    }
    EXPECT_FALSE(JoinLibraryPath(L"C:\\", L"UxTheme.dll", path, 0));
}

// Drives as PathLeadsToDrive reads them: X on C:, Y on X:, and W and V on each other.
bool ReadTestDrive(wchar_t letter, wchar_t* directory, size_t capacity, void*)
{
    const wchar_t* mapped = letter == L'X' ? L"C:\\x" : letter == L'Y' ? L"X:\\y" : letter == L'W' ? L"V:" : L"W:";
    return (letter == L'X' || letter == L'Y' || letter == L'W' || letter == L'V') && CopyBounded(directory, capacity, mapped);
}

TEST(PathLeadsToDrive, FollowsDrivesButNotRoundACircleElsewhere)
{
    EXPECT_TRUE(PathLeadsToDrive(L"\\\\?\\y:\\a", L'C', ReadTestDrive, nullptr));
    EXPECT_FALSE(PathLeadsToDrive(L"Y:\\a", L'D', ReadTestDrive, nullptr));
    EXPECT_FALSE(PathLeadsToDrive(L"W:\\a", L'X', ReadTestDrive, nullptr));
    EXPECT_FALSE(PathLeadsToDrive(L"\\\\srv\\share", L'X', ReadTestDrive, nullptr));
    const std::pair<const wchar_t*, size_t> roots[] = {{L"c:\\d", 3}, {L"C:", 0}, {L"\\\\?\\D:\\d", 7},
        {L"\\\\srv\\share\\d", 12}, {L"\\\\srv\\share", 0}, {L"\\\\?\\UNC\\srv\\s\\d", 14}, {L"\\\\?\\Volume{1}\\d", 14}};
    for (const auto& root : roots)
        EXPECT_EQ(PathRootLength(root.first), root.second) << root.first;
}

// An executable whose final path leaves its folder's final path is itself a link to another file.
TEST(IsNameInFolder, OnlyAnEntryDirectlyInsideTheFolder)
{
    EXPECT_EQ(FolderLengthOfPath(L"C:\\Morvex.exe"), 3u);
    EXPECT_EQ(FolderLengthOfPath(L"\\\\srv\\s\\d\\m.exe"), 9u);
    const std::pair<const wchar_t*, const wchar_t*> inside[] = {{L"\\\\?\\C:\\a\\1\\m.exe", L"\\\\?\\c:\\A\\1"},
        {L"\\\\?\\C:\\m.exe", L"\\\\?\\C:\\"}}, outside[] = {{L"\\\\?\\C:\\a\\1x\\m.exe", L"\\\\?\\C:\\a\\1"},
        {L"\\\\?\\C:\\a\\1\\x\\m.exe", L"\\\\?\\C:\\a\\1"}, {L"\\\\?\\C:\\a\\1\\", L"\\\\?\\C:\\a\\1"}};
    for (const auto& pair : inside)
        EXPECT_TRUE(IsNameInFolder(pair.first, pair.second)) << pair.first;
    for (const auto& pair : outside)
        EXPECT_FALSE(IsNameInFolder(pair.first, pair.second)) << pair.first;
}

}  // namespace
