// The error box and the yes/no question, shown for real and answered by the interceptor.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/app_globals.h"
#include "core/messages.h"
#include "res/resource.h"
#include "support/message_box_interceptor.h"

namespace {

// Users and their scripts read these; they are the same in every language, to the byte.
TEST(Messages, TextsComeFromTheStringTableUnchanged)
{
    const struct {
        UINT id;
        const wchar_t* text;
    } texts[] = {
        {IDS_ERROR_CAPTION, L"Morvex Error"},
        {IDS_QUESTION_CAPTION, L"Morvex Confirmation"},
        {IDS_INVALID_PATH, L"Invalid path: %s"},
        {IDS_DEFINE_FAILED, L"Failed to define virtual drive %s"},
        {IDS_SAVE_FAILED, L"Failed to save settings to Morvex.ini.\r\nCheck your access rights."},
        {IDS_LOAD_QUESTION, L"Would you like to load a list of previously saved virtual drives?"},
        {IDS_ROW_TITLE, L"Virtual Drive %c:"},
        {IDS_BROWSE_TITLE, L"Select a directory to be associated with a virtual drive."},
    };
    for (const auto& t : texts) {
        wchar_t loaded[256] = L"";
        LoadStringW(g_hInstance, t.id, loaded, 256);
        EXPECT_STREQ(loaded, t.text) << t.id;
    }
}

TEST(Messages, ErrorFormatsWideArgumentsWithItsCaption)
{
    MessageBoxInterceptor boxes;
    ShowError(IDS_INVALID_PATH, L"D:\\\x8d44\x6599");
    ShowError(IDS_SAVE_FAILED);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].caption, L"Morvex Error");
    EXPECT_EQ(boxes.Boxes()[0].text, L"Invalid path: D:\\\x8d44\x6599");
    EXPECT_EQ(boxes.Boxes()[0].owner, nullptr);
    EXPECT_EQ(boxes.Boxes()[1].text, L"Failed to save settings to Morvex.ini.\r\nCheck your access rights.");
}

TEST(Messages, LongTextsAreCutAt1023Units)
{
    MessageBoxInterceptor boxes;
    for (size_t length : {1008u, 1009u, 1010u, 3000u}) {
        boxes.Clear();
        std::wstring path(length, L'p');
        ShowError(IDS_INVALID_PATH, path.c_str());
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        std::wstring expected = (L"Invalid path: " + path).substr(0, 1023);
        EXPECT_EQ(boxes.Boxes()[0].text, expected) << length;
    }
}

TEST(Messages, QuestionIsTrueOnlyForYes)
{
    MessageBoxInterceptor boxes(IDYES);
    EXPECT_TRUE(AskYesNo(MB_ICONQUESTION, IDS_LOAD_QUESTION));
    boxes.SetAnswer(IDNO);
    EXPECT_FALSE(AskYesNo(MB_ICONQUESTION, IDS_LOAD_QUESTION));
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].caption, L"Morvex Confirmation");
    EXPECT_EQ(boxes.Boxes()[0].text, L"Would you like to load a list of previously saved virtual drives?");
}

TEST(Messages, BoxesBelongToTheMainDialogWhenItExists)
{
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    g_hwndMain = owner;
    MessageBoxInterceptor boxes(IDNO);
    ShowError(IDS_SAVE_FAILED);
    AskYesNo(MB_ICONQUESTION, IDS_LOAD_QUESTION);
    g_hwndMain = nullptr;
    DestroyWindow(owner);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].owner, owner);
    EXPECT_EQ(boxes.Boxes()[1].owner, owner);
}

}  // namespace
