// Text for standard output and error: the lines of the drive list, one line per message, and UTF-8.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/output_rules.h"

namespace {

// The letter is the expected line's first unit.
TEST(BuildListLine, DirectoryWithoutTrailingBackslashExceptAtARoot)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\Projects", L"X:\\: => C:\\Projects"}, {L"D:", L"Y:\\: => D:\\"}, {L"d:\\", L"Y:\\: => D:\\"},
        {L"c:\\dir\\", L"W:\\: => C:\\dir"}, {L"\\\\server\\share\\", L"V:\\: => \\\\server\\share"},
        {L"D:\\\x8d44\x6599", L"U:\\: => D:\\\x8d44\x6599"},
    };
    for (const auto& c : cases) {
        wchar_t line[kListLineCapacity];
        BuildListLine(c.second[0], c.first, line, kListLineCapacity);
        EXPECT_STREQ(line, c.second) << c.first;
    }
}

TEST(JoinIntoOneLine, LineBreaksBecomeBlanks)
{
    wchar_t text[] = L"Failed to save.\r\nCheck\nyour\rrights.";
    JoinIntoOneLine(text);
    EXPECT_STREQ(text, L"Failed to save. Check your rights.");
}

TEST(EncodeUtf8Line, Utf8WithoutMarkEndingInCrLf)
{
    const struct {
        const wchar_t* text;
        size_t capacity;
        std::string bytes;
    } cases[] = {
        {L"", 2, "\r\n"}, {L"X:\\: => C:\\", 64, "X:\\: => C:\\\r\n"}, {L"\x00e9\x8d44", 64, "\xc3\xa9\xe8\xb5\x84\r\n"},
        {L"\xd83d\xde00", 64, "\xf0\x9f\x98\x80\r\n"},
        // Surrogates without their partners; then a cut before a character that does not fit whole.
        {L"\xd83dx\xde00", 64, "\xef\xbf\xbdx\xef\xbf\xbd\r\n"}, {L"a\x8d44", 6, "a\xe8\xb5\x84\r\n"}, {L"a\x8d44", 5, "a\r\n"},
    };
    for (const auto& c : cases) {
        char bytes[64];
        EXPECT_EQ(std::string(bytes, EncodeUtf8Line(c.text, bytes, c.capacity)), c.bytes) << c.capacity;
    }
}

}  // namespace
