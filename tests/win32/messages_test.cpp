// The error box and the yes/no question, shown for real and answered by the interceptor.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/app_globals.h"
#include "core/messages.h"
#include "support/message_box_interceptor.h"

namespace {

TEST(Messages, ErrorFormatsWideArgumentsWithItsCaption)
{
    MessageBoxInterceptor boxes;
    ShowError(L"Invalid path: %s (%c)", L"D:\\\x8d44\x6599", L'X');
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, L"Morvex Error");
    EXPECT_EQ(boxes.Boxes()[0].text, L"Invalid path: D:\\\x8d44\x6599 (X)");
    EXPECT_EQ(boxes.Boxes()[0].owner, nullptr);
}

TEST(Messages, LongTextsAreCutAt1023Units)
{
    MessageBoxInterceptor boxes;
    for (size_t length : {1008u, 1009u, 1010u, 3000u}) {
        boxes.Clear();
        std::wstring path(length, L'p');
        ShowError(L"Invalid path: %s", path.c_str());
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        std::wstring expected = (L"Invalid path: " + path).substr(0, 1023);
        EXPECT_EQ(boxes.Boxes()[0].text, expected) << length;
    }
}

TEST(Messages, QuestionIsTrueOnlyForYes)
{
    MessageBoxInterceptor boxes(IDYES);
    EXPECT_TRUE(AskYesNo(MB_ICONQUESTION, L"Load %d drives?", 3));
    boxes.SetAnswer(IDNO);
    EXPECT_FALSE(AskYesNo(MB_ICONQUESTION, L"Load %d drives?", 3));
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].caption, L"Morvex Confirmation");
    EXPECT_EQ(boxes.Boxes()[0].text, L"Load 3 drives?");
}

TEST(Messages, BoxesBelongToTheMainDialogWhenItExists)
{
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    g_hwndMain = owner;
    MessageBoxInterceptor boxes(IDNO);
    ShowError(L"x");
    AskYesNo(MB_ICONQUESTION, L"y");
    g_hwndMain = nullptr;
    DestroyWindow(owner);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].owner, owner);
    EXPECT_EQ(boxes.Boxes()[1].owner, owner);
}

}  // namespace
