// Settings file rules: Drives lines, the section walk and build, paths.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "persistence/autostart_rules.h"
#include "persistence/settings_rules.h"

namespace {

TEST(ParseDrivesLine, ReadsLetterAndDirectoryTolerantly)
{
    const struct {
        const wchar_t* line;
        bool taken;
        wchar_t letter;
        const wchar_t* directory;
    } cases[] = {
        {L"X=D:\\Data\\", true, L'X', L"D:\\Data\\"},
        {L"x = D:\\Data\\", true, L'X', L"D:\\Data\\"},
        {L"x\t=\tD:\\Data\\", true, L'X', L"D:\\Data\\"},
        {L"x \t = \t D:\\Data\\ ", true, L'X', L"D:\\Data\\ "},   // the end is taken as it is
        {L"X=", true, L'X', L""},
        {L"X=  ", true, L'X', L""},
        {L"1=D:\\Data\\", true, L'1', L"D:\\Data\\"},   // letters are checked by whoever applies them
        {L"X==D", true, L'X', L"=D"},
        {L"XY=D:\\Data\\", false, 0, nullptr},
        {L"X:=D:\\Data\\", false, 0, nullptr},
        {L"X D:\\Data\\", false, 0, nullptr},
        {L"X", false, 0, nullptr},
        {L"", false, 0, nullptr},
        {L"=D:\\", false, 0, nullptr},
    };
    for (const auto& c : cases) {
        wchar_t letter = 0;
        const wchar_t* directory = nullptr;
        ASSERT_EQ(ParseDrivesLine(c.line, &letter, &directory), c.taken) << c.line;
        if (c.taken) {
            EXPECT_EQ(letter, c.letter) << c.line;
            EXPECT_STREQ(directory, c.directory) << c.line;
        }
    }
}

using Entries = std::vector<std::pair<wchar_t, std::wstring>>;

void Collect(wchar_t letter, const wchar_t* directory, void* context)
{
    static_cast<Entries*>(context)->emplace_back(letter, directory);
}

Entries Walk(const std::wstring& units)
{
    Entries entries;
    ForEachDrivesEntry(units.data(), units.size(), Collect, &entries);
    return entries;
}

TEST(ForEachDrivesEntry, WalksLinesInOrderUpToTheEmptyLine)
{
    std::wstring section(L"X=C:\\a\\\0XY=C:\\b\0y = C:\\c\0X=C:\\d\0\0Z=C:\\after\0\0", 45);
    Entries expected = {{L'X', L"C:\\a\\"}, {L'Y', L"C:\\c"}, {L'X', L"C:\\d"}};
    EXPECT_EQ(Walk(section), expected);
    EXPECT_TRUE(Walk(std::wstring(L"\0\0", 2)).empty());
    EXPECT_TRUE(Walk(std::wstring()).empty());
}

TEST(ForEachDrivesEntry, NeverReadsPastTheBuffer)
{
    // A last line without terminator inside the buffer is not applied.
    std::wstring section(L"A=C:\\a\0B=C:\\b", 13);
    Entries expected = {{L'A', L"C:\\a"}};
    EXPECT_EQ(Walk(section), expected);
    EXPECT_TRUE(Walk(std::wstring(L"A=C:\\a", 6)).empty());
}

TEST(SectionWasCut, OnlyWhenTheCountIsSizeMinusTwo)
{
    EXPECT_TRUE(SectionWasCut(1022, 1024));
    EXPECT_FALSE(SectionWasCut(1021, 1024));
    EXPECT_FALSE(SectionWasCut(1023, 1024));
    EXPECT_FALSE(SectionWasCut(0, 1024));
    EXPECT_FALSE(SectionWasCut(0, 1));
}

wchar_t* Resize(wchar_t* block, size_t units)
{
    return static_cast<wchar_t*>(std::realloc(block, units * sizeof(wchar_t)));
}

wchar_t* RefuseToGrow(wchar_t*, size_t)
{
    return nullptr;
}

SectionBuilder NewBuilder()
{
    SectionBuilder builder = {};
    builder.capacity = kSectionWriteStep;
    builder.units = static_cast<wchar_t*>(std::malloc(builder.capacity * sizeof(wchar_t)));
    return builder;
}

TEST(SectionBuilder, GrowsAndKeepsEveryLine)
{
    SectionBuilder builder = NewBuilder();
    std::vector<std::wstring> lines;
    for (int i = 0; i < 7; ++i) {
        wchar_t line[kSectionLineCapacity];
        std::wstring directory = L"C:\\" + std::wstring(300 + 200 * i, static_cast<wchar_t>(L'a' + i)) + L"\\";
        size_t length = BuildDrivesLine(static_cast<wchar_t>(L'D' + i), directory.c_str(), line);
        lines.push_back(line);
        ASSERT_EQ(length, lines.back().size());
        ASSERT_TRUE(AppendSectionLine(&builder, line, length, Resize));
        EXPECT_GE(builder.capacity - builder.used, 3u);
    }
    FinishSection(&builder);
    EXPECT_GT(builder.capacity, kSectionWriteStep);
    std::wstring joined;
    for (const std::wstring& line : lines)
        joined += line + std::wstring(1, L'\0');
    joined += std::wstring(1, L'\0');
    EXPECT_EQ(std::wstring(builder.units, builder.used + 1), joined);
    EXPECT_EQ(builder.units[builder.used + 1], L'\0');
    std::free(builder.units);
}

TEST(SectionBuilder, LongestLineFitsAfterOneGrowth)
{
    SectionBuilder builder = NewBuilder();
    std::wstring directory(2000, L'x');
    for (int i = 0; i < 4; ++i) {
        wchar_t line[kSectionLineCapacity];
        size_t length = BuildDrivesLine(L'Q', directory.c_str(), line);
        EXPECT_EQ(length, kSectionLineCapacity - 1);   // cut to the line buffer
        ASSERT_TRUE(AppendSectionLine(&builder, line, length, Resize));
        ASSERT_LE(builder.used + 2, builder.capacity);
    }
    FinishSection(&builder);
    std::free(builder.units);
}

TEST(SectionBuilder, EmptySectionIsTwoTerminators)
{
    SectionBuilder builder = NewBuilder();
    builder.units[0] = builder.units[1] = L'x';
    FinishSection(&builder);
    EXPECT_EQ(builder.units[0], L'\0');
    EXPECT_EQ(builder.units[1], L'\0');
    std::free(builder.units);
}

TEST(SectionBuilder, FailedGrowthAddsNothing)
{
    SectionBuilder builder = NewBuilder();
    std::wstring line(1030, L'x');
    ASSERT_TRUE(AppendSectionLine(&builder, line.c_str(), line.size(), RefuseToGrow));
    size_t used = builder.used;
    EXPECT_FALSE(AppendSectionLine(&builder, line.c_str(), line.size(), RefuseToGrow));
    EXPECT_EQ(builder.used, used);
    EXPECT_EQ(builder.capacity, kSectionWriteStep);
    std::free(builder.units);
}

TEST(DetectSettingsEncoding, Utf16MarkThenValidUtf8ThenAnsi)
{
    using E = SettingsEncoding;
    const std::pair<std::string, E> cases[] = {
        {"\xFF\xFE[\0", E::Utf16}, {"\xFE\xFF\0[", E::Utf16},
        {"W=C:\\\xE8\xB5\x84\xE6\x96\x99\\", E::Utf8}, {"\xEF\xBB\xBF[Drives]", E::Utf8}, {"\xF0\x9D\x84\x9E", E::Utf8},
        {"[Drives]\r\nJ=C:\\dir\\", E::Ansi}, {"", E::Ansi}, {"caf\xE9", E::Ansi}, {"\xD7\xCA\xC1\xCF", E::Ansi},
        {"\xC0\xAF", E::Ansi}, {"\xED\xA0\x80", E::Ansi}, {"\xF4\x90\x80\x80", E::Ansi}, {"\xE8\xB5", E::Ansi},
    };   // ASCII reads the same either way; then 1252, GBK, overlong, surrogate, above U+10FFFF, cut short
    for (const auto& c : cases) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(c.first.data());
        EXPECT_EQ(DetectSettingsEncoding(bytes, c.first.size()), c.second) << c.first;
    }
    EXPECT_EQ(Utf8MarkLength(reinterpret_cast<const unsigned char*>("\xEF\xBB\xBF["), 4), 3u);
    EXPECT_EQ(Utf8MarkLength(reinterpret_cast<const unsigned char*>("\xEF\xBB"), 2), 0u);
}

TEST(RunCommandProgram, QuotedOrUpToTheFirstBlank)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"\"C:\\Program Files\\M.exe\" /startup", L"C:\\Program Files\\M.exe"}, {L"C:\\M.exe /startup", L"C:\\M.exe"},
        {L"C:\\M.exe", L"C:\\M.exe"}, {L"\"C:\\M.exe", nullptr}, {L"\"\" /startup", nullptr}, {L" /startup", nullptr},
        {L"C:\\Tools\\Morvex\\Morvex.exe", nullptr},   // longer than the buffer
    };
    for (const auto& c : cases) {
        wchar_t program[24] = L"";
        ASSERT_EQ(RunCommandProgram(c.first, program, 24), c.second != nullptr) << c.first;
        EXPECT_STREQ(c.second != nullptr ? program : nullptr, c.second);
    }
}

TEST(FormSettingsPath, ReplacesTheFileNameBesideTheExecutable)
{
    const struct {
        std::wstring module;
        bool formed;
        std::wstring settings;
    } cases[] = {
        {L"C:\\Program Files\\Morvex\\Morvex.exe", true, L"C:\\Program Files\\Morvex\\Morvex.ini"},
        {L"C:\\Morvex.exe", true, L"C:\\Morvex.ini"},
        {L"Morvex.exe", true, L"Morvex.ini"},
        {L"C:\\dir\\", true, L"C:\\dir\\Morvex.ini"},
        {L"", false, L""},
        {L"C:\\" + std::wstring(1016, L'a') + L".exe", true, L"C:\\Morvex.ini"},   // 1023 characters
        {L"C:\\" + std::wstring(1017, L'a') + L".exe", false, L""},                 // 1024 characters
    };
    for (const auto& c : cases) {
        wchar_t path[kModulePathCapacity] = {};
        c.module.copy(path, c.module.size());
        EXPECT_EQ(FormSettingsPath(path, c.module.size()), c.formed) << c.module.size();
        if (c.formed)
            EXPECT_EQ(std::wstring(path), c.settings);
        else
            EXPECT_EQ(std::wstring(path), c.module);
    }
}

TEST(FormSettingsPath, LongestDirectoryStillFits)
{
    wchar_t path[kModulePathCapacity] = {};
    std::wstring module = L"C:\\" + std::wstring(1019, L'd') + L"\\";   // 1023 units, ends in the separator
    module.copy(path, module.size());
    ASSERT_TRUE(FormSettingsPath(path, module.size()));
    EXPECT_EQ(std::wstring(path), module + L"Morvex.ini");
}

TEST(ComposeRunValue, QuotesThePathAndAddsTheSwitch)
{
    const struct {
        size_t length;
        bool composed;
    } cases[] = {{1, true}, {40, true}, {1023, true}, {0, false}, {1024, false}, {1035, false}};
    for (const auto& c : cases) {
        wchar_t buffer[kModulePathCapacity] = {};
        buffer[0] = L'"';
        std::wstring path(c.length, L'p');
        path.copy(buffer + 1, path.size());
        ASSERT_EQ(ComposeRunValue(buffer, kModulePathCapacity, c.length), c.composed) << c.length;
        if (c.composed) {
            EXPECT_EQ(std::wstring(buffer), L"\"" + path + L"\" /startup");
            EXPECT_EQ(RunValueByteCount(std::wstring(buffer).size()), (c.length + 11 + 1) * 2);
        }
    }
    // A buffer too small for the whole value gets none of it.
    wchar_t small[20] = L"\"C:\\some\\path.exe";
    EXPECT_FALSE(ComposeRunValue(small, 20, 17));
}

TEST(RunValueChangeAtClose, OnlyAChangedBoxOrAnotherPathOfThisExecutable)
{
    using C = RunValueChange;
    // Indexed by checked, shown checked, named elsewhere.
    const C expected[2][2][2] = {{{C::Leave, C::Write}, {C::Delete, C::Delete}}, {{C::Write, C::Write}, {C::Leave, C::Write}}};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(RunValueChangeAtClose(i & 4, i & 2, i & 1), expected[i >> 2][(i >> 1) & 1][i & 1]) << i;
}

TEST(PlanSavedDrives, OneLinePerLetterWithBaseDrivesFirst)
{
    // Letters in the order they are to be applied; a circle goes in file order, after the rest.
    const std::pair<std::wstring, std::wstring> cases[] = {{std::wstring(L"X=Y:\\\0Y=Z:\\\0Z=C:\\\0\0", 19), L"ZYX"},
        {std::wstring(L"X=Y:\\\0Y=X:\\\0W=C:\\\0\0", 19), L"WXY"}, {std::wstring(L"1=C:\\\0x=C:\\\0X=D:\\\0\0", 19), L"X"}};
    for (const auto& c : cases) {
        SavedDrive drives[kMostSavedDrives];
        size_t count = PlanSavedDrives(c.first.data(), c.first.size(), drives);
        std::wstring order;
        for (size_t i = 0; i < count; ++i)
            order += drives[i].letter;
        EXPECT_EQ(order, c.second);
        EXPECT_STREQ(drives[0].directory, c.second == L"X" ? L"D:\\" : L"C:\\");
    }
}

TEST(MayArriveLater, UncPathsAndVolumesThatAreNotThere)
{
    // Drive types: 0 unknown, 1 no root, 2 removable, 3 fixed, 4 network, 5 CD, 6 RAM disk.
    for (unsigned type = 0; type <= 6; ++type)
        EXPECT_EQ(MayArriveLater(L"E:\\d", type), type != 3 && type != 6) << type;
    EXPECT_TRUE(MayArriveLater(L"\\\\srv\\share\\d", 3));
    EXPECT_TRUE(MayArriveLater(L"\\\\?\\UNC\\srv\\share", 3));
    EXPECT_FALSE(MayArriveLater(L"\\\\?\\C:\\gone", 3));
}

}  // namespace
