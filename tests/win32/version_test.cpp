// The version information of the shipped Morvex.exe, as Explorer's properties page reads it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/program_runner.h"

namespace {

std::wstring VersionString(const std::vector<BYTE>& info, WORD language, WORD codePage, const wchar_t* name)
{
    wchar_t path[96];
    swprintf(path, 96, L"\\StringFileInfo\\%04x%04x\\%ls", language, codePage, name);
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), path, reinterpret_cast<void**>(&value), &length) || value == nullptr)
        return L"<missing>";
    return value;
}

TEST(VersionInformation, EnglishAndChineseBlocksMatchTheirTranslations)
{
    std::wstring program = MorvexExecutable();
    DWORD size = GetFileVersionInfoSizeW(program.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, info.data()));
    WORD* translations = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                               &bytes));
    std::vector<WORD> pairs(translations, translations + bytes / sizeof(WORD));
    EXPECT_EQ(pairs, (std::vector<WORD>{0x0409, 1252, 0x0804, 936}));
    for (size_t i = 0; i + 1 < pairs.size(); i += 2) {
        EXPECT_EQ(VersionString(info, pairs[i], pairs[i + 1], L"ProductName"), L"Morvex") << pairs[i];
        EXPECT_EQ(VersionString(info, pairs[i], pairs[i + 1], L"FileVersion"), L"1.0.5.0") << pairs[i];
        EXPECT_EQ(VersionString(info, pairs[i], pairs[i + 1], L"OriginalFilename"), L"Morvex.exe") << pairs[i];
    }
}

}  // namespace
