// Layout of a drive list row from its rectangle and the two font heights.
#include <gtest/gtest.h>

#include "mainwindow/row_geometry.h"

// Beside RowRect, where the test macros find them.
static bool operator==(const RowRect& a, const RowRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static std::ostream& operator<<(std::ostream& out, const RowRect& r)
{
    return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

// A 300-pixel-wide row of the list's 44-pixel height at the list's top left.
constexpr RowRect kRow = {0, 0, 300, 44};

TEST(RowGeometry, FortyFourPixelRow)
{
    RowGeometry g = ComputeRowGeometry(kRow, 12, 12);
    EXPECT_EQ(g.frame, (RowRect{1, 1, 299, 43}));
    EXPECT_EQ(g.inner, (RowRect{3, 3, 297, 41}));
    EXPECT_EQ(g.iconLeft, 11);
    EXPECT_EQ(g.iconTop, 6);
    EXPECT_EQ(g.gap, 4);  // 14 / 3
    EXPECT_EQ(g.title, (RowRect{55, 7, 297, 41}));
    EXPECT_EQ(g.directory, (RowRect{55, 22, 297, 41}));
}

// Gap g = (38 - bold - list) / 3 truncated toward zero; the title's top is 3 + g and the
// directory's 2 + 2g + bold, for every mix of heights including fonts taller than the row.
TEST(RowGeometry, GapAndTextLinesFollowTheFontHeights)
{
    const struct {
        int list;
        int bold;
        int gap;
        int titleTop;
        int directoryTop;
    } cases[] = {
        {12, 12, 4, 7, 22},
        {13, 16, 3, 6, 24},
        {13, 13, 4, 7, 23},
        {16, 16, 2, 5, 22},
        {19, 19, 0, 3, 21},   // 0 / 3
        {19, 20, 0, 3, 22},   // -1 / 3
        {20, 20, 0, 3, 22},   // -2 / 3
        {20, 21, -1, 2, 21},  // -3 / 3
        {20, 22, -1, 2, 22},  // -4 / 3 is -1, not -2
        {21, 22, -1, 2, 22},  // -5 / 3
        {22, 22, -2, 1, 20},  // -6 / 3
        {22, 23, -2, 1, 21},  // -7 / 3 is -2, not -3
        {40, 40, -14, -11, 14},
        {0, 0, 12, 15, 26},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "list " << c.list << ", bold " << c.bold);
        RowGeometry g = ComputeRowGeometry(kRow, c.list, c.bold);
        EXPECT_EQ(g.gap, c.gap);
        EXPECT_EQ(g.title, (RowRect{55, c.titleTop, 297, 41}));
        EXPECT_EQ(g.directory, (RowRect{55, c.directoryTop, 297, 41}));
    }
}

// The icon is centred in the inner box with a division that truncates toward zero.
TEST(RowGeometry, IconCentredVerticallyInTheInnerBox)
{
    const struct {
        int height;
        int iconTop;
    } cases[] = {
        {44, 6}, {45, 6}, {46, 7}, {50, 9}, {38, 3}, {37, 3},  // (31 - 32) / 2 is 0
        {36, 2},                                               // (30 - 32) / 2
        {35, 2},                                               // (29 - 32) / 2 is -1, not -2
        {30, -1}, {6, -13}, {0, -16},  // an inverted box: (-6 - 32) / 2
    };
    for (const auto& c : cases) {
        RowGeometry g = ComputeRowGeometry({0, 0, 300, c.height}, 12, 12);
        EXPECT_EQ(g.iconTop, c.iconTop) << c.height;
        EXPECT_EQ(g.iconLeft, 11) << c.height;
    }
}

TEST(RowGeometry, RowsLowerInTheListMoveEverything)
{
    const RowRect row = {20, 132, 420, 176};
    RowGeometry g = ComputeRowGeometry(row, 13, 16);
    EXPECT_EQ(g.frame, (RowRect{21, 133, 419, 175}));
    EXPECT_EQ(g.inner, (RowRect{23, 135, 417, 173}));
    EXPECT_EQ(g.iconLeft, 31);
    EXPECT_EQ(g.iconTop, 138);
    EXPECT_EQ(g.title, (RowRect{75, 138, 417, 173}));
    EXPECT_EQ(g.directory, (RowRect{75, 156, 417, 173}));
}

// A row too narrow for its text still gives rectangles; they are empty or inverted and
// the drawing calls then draw nothing.
TEST(RowGeometry, NarrowRowGivesEmptyTextRectangles)
{
    RowGeometry g = ComputeRowGeometry({0, 0, 40, 44}, 12, 12);
    EXPECT_EQ(g.inner, (RowRect{3, 3, 37, 41}));
    EXPECT_EQ(g.title, (RowRect{55, 7, 37, 41}));
    EXPECT_GT(g.title.left, g.title.right);
}

TEST(DpiRules, SizesScaleToTheNearestPixelAndLinesByWholePixels)
{
    const struct {
        int pixels;
        unsigned dpi;
        int scaled;
    } sizes[] = {
        {44, 96, 44}, {44, 120, 55}, {44, 144, 66}, {44, 192, 88}, {32, 144, 48}, {16, 120, 20},
        {5, 120, 6},    // 6.25
        {2, 144, 3},    // 3.0
        {1, 144, 2},    // 1.5 rounds up
        {-1, 144, -2},  // and away from zero
        {0, 192, 0},
    };
    for (const auto& s : sizes)
        EXPECT_EQ(ScaleForDpi(s.pixels, s.dpi), s.scaled) << s.pixels << " at " << s.dpi;
    const struct {
        unsigned dpi;
        int line;
    } lines[] = {{72, 1}, {96, 1}, {120, 1}, {144, 1}, {191, 1}, {192, 2}, {288, 3}};
    for (const auto& l : lines)
        EXPECT_EQ(LineWidthForDpi(l.dpi), l.line) << l.dpi;
}

// At every scaling the icon and both text lines stay inside the row, in the fonts of that DPI,
// and the icon ends left of the text.
TEST(RowGeometry, EverythingStaysInsideTheRowAtEveryScaling)
{
    for (unsigned dpi : {96u, 120u, 144u, 168u, 192u, 288u}) {
        SCOPED_TRACE(testing::Message() << dpi << " DPI");
        const int height = ScaleForDpi(kRowHeight, dpi);
        const int font = ScaleForDpi(13, dpi);
        RowGeometry g = ComputeRowGeometry({0, 0, 500, height}, font, font, dpi);
        EXPECT_EQ(g.iconSize, ScaleForDpi(kRowIconSize, dpi));
        EXPECT_GE(g.iconTop, g.inner.top);
        EXPECT_LE(g.iconTop + g.iconSize, g.inner.bottom);
        EXPECT_LT(g.iconLeft + g.iconSize, g.title.left);
        EXPECT_GE(g.title.top, g.inner.top);
        EXPECT_GE(g.directory.top, g.title.top + font);
        EXPECT_LE(g.directory.top + font, g.inner.bottom);
        EXPECT_EQ(g.inner.top - g.frame.top, 2 * g.line);
    }
    RowGeometry g = ComputeRowGeometry({0, 0, 500, 88}, 26, 26, 192);
    EXPECT_EQ(g.frame, (RowRect{2, 2, 498, 86}));
    EXPECT_EQ(g.inner, (RowRect{6, 6, 494, 82}));
    EXPECT_EQ(g.iconLeft, 22);
    EXPECT_EQ(g.iconTop, 12);
    EXPECT_EQ(g.title.left, 110);
}

}  // namespace
