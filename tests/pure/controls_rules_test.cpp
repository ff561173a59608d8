// Rules of the hyperlink control and the visual-styles binding.
#include <gtest/gtest.h>

#include <string>

#include "controls/hyperlink_rules.h"
#include "controls/visual_styles_rules.h"

namespace {

TEST(LinkTextFormat, AlignsAsTheFlagsSayWithRightAndBottomWinning)
{
    // Always DT_SINGLELINE | DT_NOPREFIX (0x0820); left 0, centre 1, right 2; top 0, vcentre 4, bottom 8.
    const struct {
        uint32_t flags;
        uint32_t format;
    } cases[] = {
        {0, 0x0820},
        {HLF_ALIGN_RIGHT, 0x0822},
        {HLF_ALIGN_CENTER, 0x0821},
        {HLF_ALIGN_RIGHT | HLF_ALIGN_CENTER, 0x0822},
        {HLF_VALIGN_CENTER, 0x0824},
        {HLF_VALIGN_BOTTOM, 0x0828},
        {HLF_VALIGN_BOTTOM | HLF_VALIGN_CENTER, 0x0828},
        {HLF_ALIGN_CENTER | HLF_VALIGN_CENTER, 0x0825},
        {0x7F, 0x082A},
        {HLF_FOCUSABLE | HLF_AUTOSIZE | HLF_VISITED | 0xFF00, 0x0820},  // other bits change nothing
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinkTextFormat(c.flags), c.format) << std::hex << c.flags;
}

TEST(LinkWindowStyle, DropsBorderSetsNotifyAndTabStopOnlyWhenFocusable)
{
    const uint32_t child = 0x40000000, visible = 0x10000000, group = 0x00020000, border = 0x00800000,
                   tabStop = 0x00010000, notify = 0x0100, right = 0x0002;
    const struct {
        uint32_t style;
        uint32_t flags;
        uint32_t expected;
    } cases[] = {
        // The dialog's static: child, visible, group start, left-aligned.
        {child | visible | group, HLF_FOCUSABLE | HLF_AUTOSIZE, child | visible | group | tabStop | notify},
        {child | visible | group, HLF_AUTOSIZE, child | visible | group | notify},
        {child | border | tabStop, 0, child | notify},
        {child | border | tabStop, HLF_FOCUSABLE, child | tabStop | notify},
        {child | notify | right, 0, child | notify | right},
        {0xFFFFFFFF, 0, 0xFF7EFFFF},
        {0xFFFFFFFF, HLF_FOCUSABLE, 0xFF7FFFFF},
        {0, 0x7F & ~HLF_FOCUSABLE, notify},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinkWindowStyle(c.style, c.flags), c.expected) << std::hex << c.style << " " << c.flags;
}

// The focus rectangle needs room of one line, which grows with the DPI in whole pixels.
TEST(LinkTextInset, OneLineAroundAFocusableLinkOnly)
{
    EXPECT_EQ(LinkTextInset(HLF_FOCUSABLE, 96), 1);
    EXPECT_EQ(LinkTextInset(HLF_FOCUSABLE | HLF_AUTOSIZE, 144), 1);
    EXPECT_EQ(LinkTextInset(HLF_FOCUSABLE, 192), 2);
    EXPECT_EQ(LinkTextInset(HLF_AUTOSIZE | HLF_VISITED, 192), 0);
}

TEST(ThemeEntries, NamesInLookupOrderAndOnlyTheTextExtentOptional)
{
    const char* names[] = {"OpenThemeData", "CloseThemeData", "IsThemeBackgroundPartiallyTransparent",
                           "DrawThemeParentBackground", "DrawThemeBackground", "GetThemeBackgroundContentRect",
                           "DrawThemeText", "GetThemeTextExtent", "EnableThemeDialogTexture"};
    ASSERT_EQ(sizeof names / sizeof names[0], static_cast<size_t>(kThemeEntryCount));
    for (size_t i = 0; i < kThemeEntryCount; ++i) {
        EXPECT_STREQ(kThemeEntries[i].name, names[i]);
        EXPECT_EQ(kThemeEntries[i].needed, i != kEntryGetThemeTextExtent) << names[i];
    }
}

TEST(NeededThemeEntriesFound, AnyMissingNeededEntryStopsTheBinding)
{
    bool all[kThemeEntryCount];
    for (bool& found : all)
        found = true;
    EXPECT_TRUE(NeededThemeEntriesFound(all));
    for (size_t missing = 0; missing < kThemeEntryCount; ++missing) {
        bool found[kThemeEntryCount];
        for (size_t i = 0; i < kThemeEntryCount; ++i)
            found[i] = i != missing;
        EXPECT_EQ(NeededThemeEntriesFound(found), missing == kEntryGetThemeTextExtent) << kThemeEntries[missing].name;
    }
    bool none[kThemeEntryCount] = {};
    EXPECT_FALSE(NeededThemeEntriesFound(none));
}

}  // namespace
