// Drive list rows painted by the real DrawDriveItem into a 32-bit DIB section, and read back
// pixel by pixel. Texts are compared with references drawn by DrawTextW in the same fonts.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "core/app_globals.h"
#include "import_hook/import_hook.h"
#include "mainwindow/colour_scheme.h"
#include "mainwindow/dialog_rules.h"
#include "mainwindow/drive_list.h"
#include "mainwindow/row_drawing.h"
#include "res/resource.h"
#include "support/memory_canvas.h"

namespace {

constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr COLORREF kSentinel = 0x00123456;
constexpr int kRowHeight = 44;

struct ColourSet {
    COLORREF outer;
    COLORREF inner;
    COLORREF top;
    COLORREF bottom;
};
constexpr ColourSet kBlue = {RGB(170, 200, 245), RGB(230, 250, 250), RGB(210, 240, 250), RGB(185, 215, 250)};
constexpr ColourSet kGrey = {RGB(220, 220, 220), RGB(245, 245, 245), RGB(250, 250, 250), RGB(235, 235, 235)};

DriveRecord MakeRecord(wchar_t letter, const std::wstring& directory, DriveState state = DriveState::Connected)
{
    DriveRecord record = {letter, {}, state};
    directory.copy(record.directory, std::min(directory.size(), kRecordDirectoryCapacity - 1));
    return record;
}

HFONT MakeFont(int height, int weight)
{
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

HWND g_list = nullptr;   // the list that rows are drawn for; a fresh window shows keyboard cues

// The WM_DRAWITEM of one list row, handed to DrawDriveItem as the dialog does.
void PaintRow(HDC dc, UINT state, const DriveRecord* record, RECT row, UINT control = IDC_DRIVE_LIST)
{
    DRAWITEMSTRUCT item = {};
    item.hwndItem = g_list;
    item.CtlType = ODT_LISTVIEW;
    item.CtlID = control;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hDC = dc;
    item.rcItem = row;
    item.itemData = reinterpret_cast<ULONG_PTR>(record);
    DrawDriveItem(nullptr, &item);
}

class RowDrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseFonts(-11);
        // The text checks compare the two lines separately, which needs them apart.
        ASSERT_GT(listHeight_, 8);
        ASSERT_GE(boldHeight_, listHeight_);
        ASSERT_GE(Gap(), 1);
    }

    void TearDown() override
    {
        g_hBoldFont = savedBoldFont_;
        DeleteObject(listFont_);
        DeleteObject(boldFont_);
    }

    // The list's font and its bold copy at the given CreateFontW height.
    void UseFonts(int height)
    {
        if (listFont_ != nullptr) {
            DeleteObject(listFont_);
            DeleteObject(boldFont_);
        }
        listFont_ = MakeFont(height, FW_NORMAL);
        boldFont_ = MakeFont(height, FW_BOLD);
        g_hBoldFont = boldFont_;
        listHeight_ = FontHeight(listFont_);
        boldHeight_ = FontHeight(boldFont_);
    }

    // Paints one row as the list would: its font selected into the DC, then WM_DRAWITEM.
    void Draw(MemoryCanvas& canvas, UINT state, const DriveRecord* record, RECT row, UINT control = IDC_DRIVE_LIST)
    {
        HGDIOBJ previous = SelectObject(canvas.Dc(), listFont_);
        PaintRow(canvas.Dc(), state, record, row, control);
        SelectObject(canvas.Dc(), previous);
    }
    void Draw(MemoryCanvas& canvas, UINT state, const DriveRecord* record)
    {
        Draw(canvas, state, record, RECT{0, 0, canvas.Width(), kRowHeight});
    }

    // Text rectangles of a row at the top of the canvas, from the layout of a 44-pixel row.
    int Gap() const { return (38 - boldHeight_ - listHeight_) / 3; }
    RECT TitleRect(int width) const { return {55, 3 + Gap(), width - 3, 41}; }
    RECT DirectoryRect(int width) const { return {55, 2 + 2 * Gap() + boldHeight_, width - 3, 41}; }

    // A white canvas with one text drawn by DrawTextW in black, as a reference.
    void DrawReference(MemoryCanvas& canvas, HFONT font, const std::wstring& text, RECT rect, UINT flags)
    {
        HGDIOBJ previous = SelectObject(canvas.Dc(), font);
        COLORREF colour = SetTextColor(canvas.Dc(), 0x00000000);
        DrawTextW(canvas.Dc(), text.c_str(), -1, &rect, flags);
        SetTextColor(canvas.Dc(), colour);
        SelectObject(canvas.Dc(), previous);
    }

    // True when the row's directory line shows exactly what DrawTextW shows for text and flags.
    bool DirectoryLooksLike(const MemoryCanvas& row, const std::wstring& text, UINT flags)
    {
        MemoryCanvas reference(row.Width(), row.Height());
        RECT rect = DirectoryRect(row.Width());
        DrawReference(reference, listFont_, text, rect, flags);
        return row.SameArea(reference, rect.left, rect.top, rect.right, rect.bottom);
    }
    bool TitleLooksLike(const MemoryCanvas& row, const std::wstring& text, UINT flags, HFONT font = nullptr)
    {
        MemoryCanvas reference(row.Width(), row.Height());
        RECT rect = TitleRect(row.Width());
        DrawReference(reference, font != nullptr ? font : boldFont_, text, rect, flags);
        return row.SameArea(reference, rect.left, rect.top, rect.right, rect.top + boldHeight_);
    }

    HFONT listFont_ = nullptr;
    HFONT boldFont_ = nullptr;
    int listHeight_ = 0;
    int boldHeight_ = 0;
    HFONT savedBoldFont_ = g_hBoldFont;
};

// Frame rings, gradient and background of a row without text, in each selection state.
TEST_F(RowDrawingTest, SelectionFrameAndGradientByState)
{
    const struct {
        UINT state;
        const ColourSet* colours;
    } cases[] = {
        {ODS_SELECTED | ODS_FOCUS, &kBlue},
        {ODS_SELECTED, &kGrey},
        {0, nullptr},
        {ODS_FOCUS, nullptr},
    };
    const int width = 200;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        MemoryCanvas canvas(width, kRowHeight, kSentinel);
        ASSERT_TRUE(canvas.Valid());
        Draw(canvas, c.state, nullptr);

        // The outermost ring is the row's white background in every state.
        EXPECT_TRUE(canvas.AreaIs(kWhite, 0, 0, width, 1));
        EXPECT_TRUE(canvas.AreaIs(kWhite, 0, kRowHeight - 1, width, kRowHeight));
        EXPECT_TRUE(canvas.AreaIs(kWhite, 0, 0, 1, kRowHeight));
        EXPECT_TRUE(canvas.AreaIs(kWhite, width - 1, 0, width, kRowHeight));

        if (c.colours == nullptr) {
            // Nothing but white around the icon's box.
            EXPECT_TRUE(canvas.AreaIs(kWhite, 0, 0, width, 6));
            EXPECT_TRUE(canvas.AreaIs(kWhite, 0, 38, width, kRowHeight));
            EXPECT_TRUE(canvas.AreaIs(kWhite, 0, 0, 11, kRowHeight));
            EXPECT_TRUE(canvas.AreaIs(kWhite, 43, 0, width, kRowHeight));
            continue;
        }
        const ColourSet& colours = *c.colours;
        // Straight parts of the two rings, away from the rounded corners.
        EXPECT_TRUE(canvas.AreaIs(colours.outer, 5, 1, width - 5, 2));
        EXPECT_TRUE(canvas.AreaIs(colours.outer, 5, 42, width - 5, 43));
        EXPECT_TRUE(canvas.AreaIs(colours.outer, 1, 5, 2, 39));
        EXPECT_TRUE(canvas.AreaIs(colours.outer, width - 2, 5, width - 1, 39));
        EXPECT_TRUE(canvas.AreaIs(colours.inner, 4, 2, width - 4, 3));
        EXPECT_TRUE(canvas.AreaIs(colours.inner, 4, 41, width - 4, 42));
        EXPECT_TRUE(canvas.AreaIs(colours.inner, 2, 4, 3, 40));
        EXPECT_TRUE(canvas.AreaIs(colours.inner, width - 3, 4, width - 2, 40));
        // Outside the outer ring's rounded corner the row stays white.
        EXPECT_EQ(canvas.Pixel(1, 1), kWhite);
        EXPECT_EQ(canvas.Pixel(width - 2, 1), kWhite);
        EXPECT_EQ(canvas.Pixel(1, 42), kWhite);
        EXPECT_EQ(canvas.Pixel(width - 2, 42), kWhite);

        // The gradient covers [3, width - 3) x [3, 41): top colour first, bottom colour
        // last (within one step of the 38-row ramp), constant along each row.
        EXPECT_EQ(canvas.Pixel(3, 3), colours.top);
        COLORREF last = canvas.Pixel(3, 40);
        for (int shift : {0, 8, 16}) {
            int got = (last >> shift) & 0xFF;
            int want = (colours.bottom >> shift) & 0xFF;
            int step = (((colours.top >> shift) & 0xFF) - want + 37) / 38;
            EXPECT_LE(std::abs(got - want), std::max(step, 1)) << shift;
        }
        for (int y = 3; y < 41; ++y) {
            COLORREF rowColour = canvas.Pixel(3, y);
            bool iconRows = y >= 6 && y < 38;
            EXPECT_TRUE(canvas.AreaIs(rowColour, iconRows ? 43 : 3, y, width - 3, y + 1)) << y;
            EXPECT_TRUE(canvas.AreaIs(rowColour, 3, y, iconRows ? 11 : 3, y + 1)) << y;
            if (y > 3) {
                COLORREF above = canvas.Pixel(3, y - 1);
                // Each channel runs monotonically from the top colour to the bottom one.
                for (int shift : {0, 8, 16}) {
                    int now = (rowColour >> shift) & 0xFF;
                    int before = (above >> shift) & 0xFF;
                    int direction = int((colours.bottom >> shift) & 0xFF) - int((colours.top >> shift) & 0xFF);
                    EXPECT_GE(direction >= 0 ? now - before : before - now, 0) << y;
                }
            }
        }
    }
}

TEST_F(RowDrawingTest, IconStandsInItsBox)
{
    auto icon = static_cast<HICON>(LoadImageW(g_hInstance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    const struct {
        int top;
        int height;
        int iconTop;
    } cases[] = {
        {0, 44, 6},
        {44, 44, 50},   // the second row of a list
        {0, 50, 9},
        {0, 35, 2},     // (29 - 32) / 2 truncates to -1
    };
    ReleaseRowIcon();   // the first row of this test loads the icon; every later row reuses it
    HICON loaded = nullptr;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.top << " " << c.height);
        const int width = 120;
        MemoryCanvas canvas(width, 100, kSentinel);
        Draw(canvas, 0, nullptr, RECT{0, c.top, width, c.top + c.height});
        if (loaded == nullptr)
            loaded = g_hItemIcon;
        EXPECT_EQ(g_hItemIcon, loaded);

        MemoryCanvas expected(32, 32);
        DrawIcon(expected.Dc(), 0, 0, icon);
        bool same = true;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                same = same && canvas.Pixel(11 + x, c.iconTop + y) == expected.Pixel(x, y);
        EXPECT_TRUE(same);
        // The artwork really shows: not all of the box is white.
        EXPECT_FALSE(expected.AreaIs(kWhite, 0, 0, 32, 32));
        EXPECT_TRUE(canvas.AreaIs(kWhite, 0, c.top, 11, c.top + c.height));
        EXPECT_TRUE(canvas.AreaIs(kWhite, 43, c.top, width, c.top + c.height));
        // Nothing is painted outside the row.
        EXPECT_TRUE(canvas.AreaIs(kSentinel, 0, 0, width, c.top));
        EXPECT_TRUE(canvas.AreaIs(kSentinel, 0, c.top + c.height, width, 100));
    }
    DestroyIcon(icon);
}

TEST_F(RowDrawingTest, OtherControlsAreNotDrawn)
{
    auto record = MakeRecord(L'X', L"C:\\Projects\\");
    for (UINT control : {0u, 1000u, 1004u, 1006u, 1007u, 1105u}) {
        MemoryCanvas canvas(200, kRowHeight, kSentinel);
        Draw(canvas, ODS_SELECTED | ODS_FOCUS, &record, RECT{0, 0, 200, kRowHeight}, control);
        EXPECT_TRUE(canvas.AreaIs(kSentinel, 0, 0, 200, kRowHeight)) << control;
    }
}

TEST_F(RowDrawingTest, RowWithoutRecordHasNoText)
{
    auto record = MakeRecord(L'X', L"C:\\Projects\\");
    for (UINT state : {0u, UINT(ODS_SELECTED), UINT(ODS_SELECTED | ODS_FOCUS)}) {
        SCOPED_TRACE(state);
        const int width = 300;
        MemoryCanvas empty(width, kRowHeight);
        Draw(empty, state, nullptr);
        MemoryCanvas withText(width, kRowHeight);
        Draw(withText, state, &record);
        // Right of the icon every pixel row keeps the colour it has at x = 50.
        bool plain = true;
        for (int y = 3; y < 41; ++y)
            plain = plain && empty.AreaIs(empty.Pixel(50, y), 43, y, width - 3, y + 1);
        EXPECT_TRUE(plain);
        // The same row with a record does show text there, and the rest is unchanged.
        EXPECT_FALSE(withText.SameArea(empty, 55, 3, width - 3, 41));
        EXPECT_TRUE(withText.SameArea(empty, 0, 0, 55, kRowHeight));
    }
}

TEST_F(RowDrawingTest, TitleAndDirectoryInTheirFontsAndPlaces)
{
    auto record = MakeRecord(L'Q', L"C:\\Projects\\");
    const int width = 300;
    MemoryCanvas canvas(width, kRowHeight);
    SetTextColor(canvas.Dc(), RGB(255, 0, 0));  // the row draws black whatever the DC had
    Draw(canvas, 0, &record);
    EXPECT_TRUE(TitleLooksLike(canvas, L"Virtual Drive Q:", DT_SINGLELINE));
    EXPECT_TRUE(DirectoryLooksLike(canvas, L"C:\\Projects\\", DT_SINGLELINE));
    // The directory is in the list's font, not the bold one.
    MemoryCanvas bold(width, kRowHeight);
    RECT rect = DirectoryRect(width);
    DrawReference(bold, boldFont_, L"C:\\Projects\\", rect, DT_SINGLELINE);
    EXPECT_FALSE(canvas.SameArea(bold, rect.left, rect.top, rect.right, rect.bottom));
}

// The texts of a selected row stand on its gradient: no opaque text cell in the DC's
// background colour (here white, the list hands over its highlight colour) covers it.
TEST_F(RowDrawingTest, TextsOfASelectedRowStandOnTheGradient)
{
    auto record = MakeRecord(L'Q', L"C:\\Projects\\");
    const int width = 300;
    MemoryCanvas canvas(width, kRowHeight);
    SetBkMode(canvas.Dc(), OPAQUE);
    SetBkColor(canvas.Dc(), kWhite);
    Draw(canvas, ODS_SELECTED | ODS_FOCUS, &record);
    RECT text = DirectoryRect(width);
    int white = 0;
    for (int y = 3; y < kRowHeight - 3; ++y)
        for (int x = text.left; x < width - 3; ++x)
            white += canvas.Pixel(x, y) == kWhite ? 1 : 0;
    EXPECT_EQ(white, 0);
    EXPECT_EQ(GetBkMode(canvas.Dc()), OPAQUE);
}

// A saved drive that is not connected: its directory line as usual, its title grey with the state
// behind it (the longer text for a letter held by a device), and its icon fainter.
TEST_F(RowDrawingTest, DriveNotConnectedIsDimmedAndSaysWhy)
{
    const int width = 400;
    const RECT title = TitleRect(width);
    auto connected = MakeRecord(L'Q', L"C:\\Projects\\");
    MemoryCanvas live(width, kRowHeight);
    Draw(live, 0, &connected);
    int textEnd = 0;
    for (DriveState state : {DriveState::Connected, DriveState::NotConnected, DriveState::LetterTaken}) {
        auto record = MakeRecord(L'Q', L"C:\\Projects\\", state);
        MemoryCanvas canvas(width, kRowHeight);
        Draw(canvas, 0, &record);
        EXPECT_TRUE(DirectoryLooksLike(canvas, L"C:\\Projects\\", DT_SINGLELINE));
        int end = 0, fainter = 0, black = 0, grey = 0;
        for (int x = title.left; x < width; ++x)
            end = canvas.AreaIs(kWhite, x, title.top, x + 1, title.top + boldHeight_) ? end : x;
        for (int y = title.top; y < title.top + boldHeight_; ++y) {
            black += canvas.CountInRow(y, RGB(0, 0, 0));
            grey += canvas.CountInRow(y, RGB(128, 128, 128));
        }
        for (int y = 6; y < 38; ++y)
            for (int x = 11; x < 43; ++x)
                fainter += GetGValue(canvas.Pixel(x, y)) > GetGValue(live.Pixel(x, y)) ? 1 : 0;
        EXPECT_GT(end, textEnd);
        textEnd = end;
        bool dimmed = state != DriveState::Connected;
        EXPECT_EQ(grey > 20 && black == 0, dimmed);
        EXPECT_EQ(fainter > 32 * 32 / 4, dimmed);
    }
}

// What DrawTextW's path shortening makes of text in the directory line of a row this wide.
std::wstring Shortened(HDC dc, HFONT font, const std::wstring& text, RECT rect)
{
    wchar_t buffer[600];
    text.copy(buffer, text.size());
    buffer[text.size()] = L'\0';
    HGDIOBJ previous = SelectObject(dc, font);
    DrawTextW(dc, buffer, -1, &rect, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_NOPREFIX | DT_MODIFYSTRING | DT_CALCRECT);
    SelectObject(dc, previous);
    return buffer;
}

// A directory too wide for its line loses its middle and keeps its last folder's name,
// also when it ends in a backslash as the list's records do.
TEST_F(RowDrawingTest, LongDirectoryLosesItsMiddleAndKeepsItsLastPart)
{
    const std::wstring folders =
        L"D:\\Archive\\Photographs\\Holidays\\Mountains and lakes\\Second week\\Final selection";
    const int width = 220;
    for (const std::wstring& directory : {folders + L"\\", folders}) {
        SCOPED_TRACE(directory);
        auto record = MakeRecord(L'P', directory);
        MemoryCanvas canvas(width, kRowHeight);
        Draw(canvas, 0, &record);

        std::wstring shown = Shortened(canvas.Dc(), listFont_, folders, DirectoryRect(width));
        ASSERT_LT(shown.size(), folders.size());
        ASSERT_EQ(shown.substr(0, 3), L"D:\\");
        ASSERT_NE(shown.find(L"...\\Final selection"), std::wstring::npos) << shown;
        EXPECT_TRUE(DirectoryLooksLike(canvas, shown, DT_SINGLELINE | DT_NOPREFIX));
        EXPECT_FALSE(DirectoryLooksLike(canvas, directory, DT_SINGLELINE | DT_NOPREFIX));
        EXPECT_EQ(std::wstring(record.directory), directory);
    }
}

// Only a directory that has to be shortened loses its trailing backslash, and a drive root never.
TEST_F(RowDrawingTest, DirectoryThatFitsKeepsItsTrailingBackslash)
{
    for (const wchar_t* directory : {L"C:\\", L"C:\\Projects\\", L"E:\\Music\\"}) {
        auto record = MakeRecord(L'K', directory);
        MemoryCanvas canvas(300, kRowHeight);
        Draw(canvas, 0, &record);
        EXPECT_TRUE(DirectoryLooksLike(canvas, directory, DT_SINGLELINE | DT_NOPREFIX)) << directory;
    }
    // A root in a line one pixel too narrow for it stays a root, although "C:" would fit.
    SIZE extent = {};
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, listFont_);
    GetTextExtentPoint32W(screen, L"C:\\", 3, &extent);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    const int width = 55 + extent.cx - 1 + 3;
    auto root = MakeRecord(L'K', L"C:\\");
    MemoryCanvas narrow(width, kRowHeight);
    Draw(narrow, 0, &root);
    EXPECT_FALSE(DirectoryLooksLike(narrow, L"C:", DT_SINGLELINE | DT_NOPREFIX));
    EXPECT_TRUE(DirectoryLooksLike(narrow, Shortened(narrow.Dc(), listFont_, L"C:\\", DirectoryRect(width)),
                                   DT_SINGLELINE | DT_NOPREFIX));
}

TEST_F(RowDrawingTest, LongTitleIsCutWithoutEllipsis)
{
    auto record = MakeRecord(L'W', L"C:\\");
    const int width = 120;  // the title gets 62 pixels
    MemoryCanvas canvas(width, kRowHeight);
    Draw(canvas, 0, &record);
    EXPECT_TRUE(TitleLooksLike(canvas, L"Virtual Drive W:", DT_SINGLELINE));
    EXPECT_FALSE(TitleLooksLike(canvas, L"Virtual Drive W:", DT_SINGLELINE | DT_END_ELLIPSIS));
    // Cut at the rectangle's right edge: nothing drawn in the last three columns.
    EXPECT_TRUE(canvas.AreaIs(kWhite, width - 3, 0, width, kRowHeight));
}

TEST_F(RowDrawingTest, OnlyTheFirst255UnitsOfADirectoryAreDrawn)
{
    // 255 units end inside "cut-here"; the full text ends with "\end\".
    std::wstring directory = L"C:\\";
    while (directory.size() < 247)
        directory += L"folder\\";
    directory.resize(247);
    directory += L"cut-here-and-more\\end\\";
    ASSERT_GT(directory.size(), 255u);
    const std::wstring first255 = directory.substr(0, 255);
    ASSERT_EQ(first255.substr(first255.size() - 8), L"cut-here");
    auto record = MakeRecord(L'L', directory);

    const int width = 300;
    MemoryCanvas canvas(width, kRowHeight);
    Draw(canvas, 0, &record);
    const UINT flags = DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_NOPREFIX;
    EXPECT_TRUE(DirectoryLooksLike(canvas, first255, flags));
    EXPECT_FALSE(DirectoryLooksLike(canvas, directory, flags));
    // The record itself is left as it was.
    EXPECT_EQ(std::wstring(record.directory), directory);
}

TEST_F(RowDrawingTest, AmpersandInADirectoryIsShown)
{
    const std::wstring directory = L"D:\\R&D\\";
    auto record = MakeRecord(L'R', directory);
    const int width = 300;
    MemoryCanvas canvas(width, kRowHeight);
    Draw(canvas, 0, &record);
    EXPECT_TRUE(DirectoryLooksLike(canvas, directory, DT_SINGLELINE | DT_NOPREFIX));
    EXPECT_TRUE(DirectoryLooksLike(canvas, L"D:\\R&&D\\", DT_SINGLELINE));
    // Drawn as a mnemonic it would look different: "D:\RD\" with an underlined D.
    EXPECT_FALSE(DirectoryLooksLike(canvas, directory, DT_SINGLELINE));
    // The title line keeps its flags.
    EXPECT_TRUE(TitleLooksLike(canvas, L"Virtual Drive R:", DT_SINGLELINE));
}

// Fonts taller than the row give a negative gap, truncated toward zero: the title then
// starts above the inner box, and everything stays inside the row.
TEST_F(RowDrawingTest, TallFontsMoveTheTitleUp)
{
    // Font heights whose sum leaves a negative remainder that truncation and flooring split.
    int size = -16;
    for (; size >= -26; --size) {
        UseFonts(size);
        int rest = 38 - boldHeight_ - listHeight_;
        if (rest < -3 && rest > -9 && rest % 3 != 0)
            break;
    }
    ASSERT_GE(size, -26) << "no font height found";
    ASSERT_LT(Gap(), 0);
    auto record = MakeRecord(L'T', L"C:\\Tall\\");
    const int width = 300;
    MemoryCanvas canvas(width, 3 * kRowHeight, kSentinel);
    const RECT row = {0, kRowHeight, width, 2 * kRowHeight};
    Draw(canvas, 0, &record, row);

    MemoryCanvas reference(width, 3 * kRowHeight, kSentinel);
    FillRect(reference.Dc(), &row, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT title = TitleRect(width);
    OffsetRect(&title, 0, kRowHeight);
    DrawReference(reference, boldFont_, L"Virtual Drive T:", title, DT_SINGLELINE);
    RECT directory = DirectoryRect(width);
    OffsetRect(&directory, 0, kRowHeight);
    DrawReference(reference, listFont_, L"C:\\Tall\\", directory, DT_SINGLELINE);
    EXPECT_TRUE(canvas.SameArea(reference, 55, 0, width, 3 * kRowHeight)) << "fonts " << listHeight_ << ", "
                                                                             << boldHeight_;
    EXPECT_TRUE(canvas.AreaIs(kSentinel, 0, 0, width, kRowHeight));
    EXPECT_TRUE(canvas.AreaIs(kSentinel, 0, 2 * kRowHeight, width, 3 * kRowHeight));
}

TEST_F(RowDrawingTest, WithoutBoldFontTheTitleUsesTheListFont)
{
    g_hBoldFont = nullptr;
    boldHeight_ = listHeight_;
    auto record = MakeRecord(L'N', L"C:\\Plain\\");
    MemoryCanvas canvas(300, kRowHeight);
    Draw(canvas, 0, &record);
    EXPECT_TRUE(TitleLooksLike(canvas, L"Virtual Drive N:", DT_SINGLELINE, listFont_));
    EXPECT_TRUE(DirectoryLooksLike(canvas, L"C:\\Plain\\", DT_SINGLELINE));
}

// Every state of the DC that the row touches is as it was before.
TEST_F(RowDrawingTest, DeviceContextIsLeftAsFound)
{
    auto record = MakeRecord(L'S', L"C:\\State\\");
    HPEN pen = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    for (bool withBold : {true, false}) {
        g_hBoldFont = withBold ? boldFont_ : nullptr;
        for (UINT state : {0u, UINT(ODS_SELECTED), UINT(ODS_SELECTED | ODS_FOCUS)}) {
            const DriveRecord* withRecord = &record;
            for (const DriveRecord* data : {withRecord, static_cast<const DriveRecord*>(nullptr)}) {
                SCOPED_TRACE(testing::Message() << withBold << " " << state << " " << (data != nullptr));
                MemoryCanvas canvas(300, kRowHeight);
                HDC dc = canvas.Dc();
                SelectObject(dc, listFont_);
                SelectObject(dc, pen);
                SelectObject(dc, brush);
                SetTextColor(dc, RGB(7, 8, 9));
                SetBkColor(dc, RGB(10, 11, 12));
                SetBkMode(dc, OPAQUE);   // the drawing switches to transparent for its texts
                PaintRow(dc, state, data, RECT{0, 0, 300, kRowHeight});
                EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), listFont_);
                EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
                EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
                EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), canvas.Bitmap());
                EXPECT_EQ(GetTextColor(dc), RGB(7, 8, 9));
                EXPECT_EQ(GetBkColor(dc), RGB(10, 11, 12));
                EXPECT_EQ(GetBkMode(dc), OPAQUE);
                SelectObject(dc, GetStockObject(SYSTEM_FONT));
                SelectObject(dc, GetStockObject(BLACK_PEN));
                SelectObject(dc, GetStockObject(WHITE_BRUSH));
            }
        }
    }
    DeleteObject(pen);
    DeleteObject(brush);
}

// Counters behind import hooks: what the drawing code creates, deletes and allocates.
int g_created = 0;
int g_deleted = 0;
int g_allocations = 0;
ImportHook* g_createPen = nullptr;
ImportHook* g_createBrush = nullptr;
ImportHook* g_deleteObject = nullptr;
ImportHook* g_malloc = nullptr;
ImportHook* g_calloc = nullptr;
ImportHook* g_realloc = nullptr;
ImportHook* g_heapAlloc = nullptr;

HPEN WINAPI CountingCreatePen(int style, int width, COLORREF colour)
{
    ++g_created;
    return reinterpret_cast<decltype(&CreatePen)>(g_createPen->Original())(style, width, colour);
}
HBRUSH WINAPI CountingCreateSolidBrush(COLORREF colour)
{
    ++g_created;
    return reinterpret_cast<decltype(&CreateSolidBrush)>(g_createBrush->Original())(colour);
}
BOOL WINAPI CountingDeleteObject(HGDIOBJ object)
{
    ++g_deleted;
    return reinterpret_cast<decltype(&DeleteObject)>(g_deleteObject->Original())(object);
}
void* __cdecl CountingMalloc(size_t size)
{
    ++g_allocations;
    return reinterpret_cast<void* (__cdecl*)(size_t)>(g_malloc->Original())(size);
}
void* __cdecl CountingCalloc(size_t count, size_t size)
{
    ++g_allocations;
    return reinterpret_cast<void* (__cdecl*)(size_t, size_t)>(g_calloc->Original())(count, size);
}
void* __cdecl CountingRealloc(void* block, size_t size)
{
    ++g_allocations;
    return reinterpret_cast<void* (__cdecl*)(void*, size_t)>(g_realloc->Original())(block, size);
}
LPVOID WINAPI CountingHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size)
{
    ++g_allocations;
    return reinterpret_cast<decltype(&HeapAlloc)>(g_heapAlloc->Original())(heap, flags, size);
}

TEST_F(RowDrawingTest, ManyDrawsLeakNoGdiObjectAndAllocateNothing)
{
    auto record = MakeRecord(L'G', L"C:\\Some\\Rather\\Long\\Directory\\Name\\To\\Shorten\\");
    MemoryCanvas canvas(200, kRowHeight);
    Draw(canvas, ODS_SELECTED | ODS_FOCUS, &record);  // loads the row icon once
    const int draws = 1000;

    // Wine counts no GDI objects per process (GetGuiResources gives 0), so the objects are counted
    // where the drawing makes and deletes them.
    g_created = g_deleted = g_allocations = 0;
    {
        ImportHook createPen("gdi32.dll", "CreatePen", reinterpret_cast<void*>(&CountingCreatePen));
        ImportHook createBrush("gdi32.dll", "CreateSolidBrush", reinterpret_cast<void*>(&CountingCreateSolidBrush));
        ImportHook deleteObject("gdi32.dll", "DeleteObject", reinterpret_cast<void*>(&CountingDeleteObject));
        ImportHook mallocHook("msvcrt.dll", "malloc", reinterpret_cast<void*>(&CountingMalloc));
        ImportHook callocHook("msvcrt.dll", "calloc", reinterpret_cast<void*>(&CountingCalloc));
        ImportHook reallocHook("msvcrt.dll", "realloc", reinterpret_cast<void*>(&CountingRealloc));
        ImportHook heapAlloc("kernel32.dll", "HeapAlloc", reinterpret_cast<void*>(&CountingHeapAlloc));
        g_createPen = &createPen;
        g_createBrush = &createBrush;
        g_deleteObject = &deleteObject;
        g_malloc = &mallocHook;
        g_calloc = &callocHook;
        g_realloc = &reallocHook;
        g_heapAlloc = &heapAlloc;
        ASSERT_TRUE(createPen.Installed() && createBrush.Installed() && deleteObject.Installed());
        ASSERT_TRUE(mallocHook.Installed());
        HGDIOBJ previous = SelectObject(canvas.Dc(), listFont_);
        for (int i = 0; i < draws; ++i)
            PaintRow(canvas.Dc(), (i % 2 == 0) ? (ODS_SELECTED | ODS_FOCUS) : ODS_SELECTED, &record,
                     RECT{0, 0, 200, kRowHeight});
        SelectObject(canvas.Dc(), previous);
    }
    EXPECT_EQ(g_created, 3 * draws);  // two pens and a brush per selected row
    EXPECT_EQ(g_deleted, g_created);
    EXPECT_EQ(g_allocations, 0);
}

// SPI_GETHIGHCONTRAST as Windows answers it, High Contrast on or off; Wine always reports it off.
bool g_highContrast = false;
BOOL WINAPI ReportHighContrast(UINT, UINT, void* data, UINT)
{
    static_cast<HIGHCONTRASTW*>(data)->dwFlags = g_highContrast ? HCF_HIGHCONTRASTON : 0;
    return TRUE;
}

// System colours under the High Contrast flag, and under white-on-black colours with the flag off (as
// Wine shows it): a flat highlight, texts in their colours, a focus rectangle. Defaults: as before.
TEST_F(RowDrawingTest, RowsTakeTheSystemColoursUnderHighContrast)
{
    const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
    const COLORREF whiteOnBlack[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(26, 235, 255), RGB(0, 0, 0)};
    const COLORREF defaults[] = {GetSysColor(elements[0]), GetSysColor(elements[1]), GetSysColor(elements[2]),
                                 GetSysColor(elements[3])};
    auto record = MakeRecord(L'H', L"C:\\Contrast\\");
    MemoryCanvas before(300, kRowHeight);
    Draw(before, ODS_SELECTED | ODS_FOCUS, &record);
    ASSERT_EQ(before.Pixel(3, 3), kBlue.top);
    ImportHook hook("user32.dll", "SystemParametersInfoW", reinterpret_cast<void*>(&ReportHighContrast));
    g_list = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    for (bool flag : {true, false}) {
        g_highContrast = flag;
        SetSysColors(4, elements, flag ? defaults : whiteOnBlack);
        ReadColourScheme();
        for (UINT state : {0u, UINT(ODS_FOCUS), UINT(ODS_SELECTED | ODS_FOCUS)}) {
            const COLORREF fill = GetSysColor(state & ODS_SELECTED ? COLOR_HIGHLIGHT : COLOR_WINDOW);
            const COLORREF text = GetSysColor(state & ODS_SELECTED ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
            MemoryCanvas canvas(300, kRowHeight), empty(300, kRowHeight);
            Draw(canvas, state, &record);
            Draw(empty, state, nullptr);
            EXPECT_EQ(canvas.CountInRow(0, GetSysColor(COLOR_WINDOW)), state & ODS_FOCUS ? 150 : 300) << flag << state;
            EXPECT_TRUE(empty.AreaIs(fill, 3, 3, 11, 41) && empty.AreaIs(fill, 43, 3, 297, 41)) << flag << state;
            // The texts turn fill into their colour, and nothing else.
            const int texts = canvas.Count(text) - empty.Count(text);
            EXPECT_TRUE(texts > 50 && canvas.Count(fill) == empty.Count(fill) - texts) << flag << state << texts;
        }
    }
    DestroyWindow(std::exchange(g_list, nullptr));
    SetSysColors(4, elements, defaults);
    ReadColourScheme();
    MemoryCanvas after(300, kRowHeight);
    Draw(after, ODS_SELECTED | ODS_FOCUS, &record);
    EXPECT_TRUE(after.SameArea(before, 0, 0, 300, kRowHeight));
}

}  // namespace
