// The directory line's text before it is shortened.
#include <gtest/gtest.h>

#include "mainwindow/directory_line.h"

namespace {

TEST(DropTrailingBackslash, OnlyTheLastOneAndNeverARoot)
{
    const struct {
        const wchar_t* directory;
        const wchar_t* line;
    } cases[] = {
        {L"D:\\Archive\\Final\\", L"D:\\Archive\\Final"},
        {L"D:\\Archive\\Final", L"D:\\Archive\\Final"},
        {L"D:\\a\\\\", L"D:\\a\\"},
        {L"D:\\a\\", L"D:\\a"},
        {L"C:\\", L"C:\\"},
        {L"C:", L"C:"},
        {L"\\", L"\\"},
        {L"", L""},
        {L"D:\\\x8d44\x6599\\", L"D:\\\x8d44\x6599"},
    };
    for (const auto& c : cases) {
        wchar_t text[64];
        std::wcscpy(text, c.directory);
        DropTrailingBackslash(text);
        EXPECT_STREQ(text, c.line) << c.directory;
    }
}

}  // namespace
