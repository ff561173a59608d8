// The dialog drawn for the DPI of its display. tests/e2e/dpi.sh runs these tests in sessions
// of 96, 144 and 192 DPI, naming the DPI in MORVEX_EXPECTED_DPI; the main run is at 96.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "controls/dpi.h"
#include "core/app_globals.h"
#include "import_hook/import_hook.h"
#include "mainwindow/dialog_rules.h"
#include "mainwindow/drive_list.h"
#include "mainwindow/program_icons.h"
#include "mainwindow/row_drawing.h"
#include "mainwindow/toolbars.h"
#include "res/resource.h"
#include "support/dialog_fixture.h"
#include "support/memory_canvas.h"

namespace {

UINT ExpectedDpi()
{
    const char* named = std::getenv("MORVEX_EXPECTED_DPI");
    return named != nullptr ? static_cast<UINT>(std::atoi(named)) : 96;
}

RECT RectIn(HWND dialog, HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

int RowHeight(HWND list)
{
    RECT row = {};
    row.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    return row.bottom - row.top;
}

HIMAGELIST RowHeightImages(HWND list)
{
    return reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
}

int ImageSize(HIMAGELIST images)
{
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    return width;
}

// The dialog's sizes at the DPIs these tests meet: each one's 96-DPI size times DPI / 96, written out.
struct Sizes {
    UINT dpi;
    int row, toolbarIcon, buttonWidth, buttonHeight, mainToolbarWidth, rowIcon;
};
constexpr Sizes kSizes[] = {
    {96, 44, 16, 24, 22, 84, 32},
    {144, 66, 24, 36, 33, 126, 48},
    {192, 88, 32, 48, 44, 168, 64},
    {288, 132, 48, 72, 66, 252, 96},
    {384, 176, 64, 96, 88, 336, 128},
};

Sizes SizesAt(UINT dpi)
{
    for (const Sizes& sizes : kSizes) {
        if (sizes.dpi == dpi)
            return sizes;
    }
    ADD_FAILURE() << "no sizes written down for " << dpi << " DPI";
    return {};
}

class DpiTest : public MainDialogTest {
protected:
    // Every button of the toolbar inside the toolbar's window, and the window inside the dialog.
    void ExpectToolbarWhole(HWND toolbar, int buttons) const
    {
        RECT client = {};
        GetClientRect(dialog_, &client);
        RECT window = RectIn(dialog_, toolbar);
        EXPECT_TRUE(Inside(window, client));
        RECT toolbarClient = {};
        GetClientRect(toolbar, &toolbarClient);
        for (int i = 0; i < buttons; ++i) {
            RECT button = {};
            SendMessageW(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&button));
            EXPECT_TRUE(Inside(button, toolbarClient)) << "button " << i;
        }
    }
};

TEST_F(DpiTest, DialogIsDrawnForTheDpiOfItsDisplay)
{
    const UINT dpi = ExpectedDpi();
    wchar_t letter = TakeFreeLetter();
    ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\C:\\windows\\system32"));
    ASSERT_NE(OpenDialog(), nullptr);
    ASSERT_EQ(WindowDpi(dialog_), dpi);   // the session is what it claims to be
    EXPECT_EQ(g_uDpi, dpi);

    const Sizes sizes = SizesAt(dpi);
    HWND list = Control(IDC_DRIVE_LIST);
    EXPECT_NEAR(RowHeight(list), sizes.row, 1);
    EXPECT_EQ(ImageSize(g_himlMainToolbar), sizes.toolbarIcon);
    ExpectToolbarWhole(g_hwndMainToolbar, 3);
    ExpectToolbarWhole(g_hwndBrowseToolbar, 1);
    EXPECT_LE(RectIn(dialog_, g_hwndMainToolbar).right, RectIn(dialog_, Control(IDC_LETTER_COMBO)).left);
    RECT client = {};
    GetClientRect(dialog_, &client);
    EXPECT_TRUE(Inside(RectIn(dialog_, Control(IDC_HOMEPAGE_LINK)), client));

    // A selected row drawn in the middle of a white canvas three rows high: nothing of it may
    // spill out, and its title and directory lines are apart.
    const int rowHeight = RowHeight(list);
    const int width = static_cast<int>(300 * dpi / 96);
    MemoryCanvas canvas(width, 3 * rowHeight);
    canvas.Fill(RGB(255, 255, 255));
    HGDIOBJ previousFont = SelectObject(canvas.Dc(), reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    DriveRecord record;
    FillDriveRecord(&record, letter, L"C:\\windows\\system32");
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_LISTVIEW;
    item.CtlID = IDC_DRIVE_LIST;
    item.itemState = ODS_SELECTED | ODS_FOCUS;
    item.hwndItem = list;
    item.hDC = canvas.Dc();
    item.rcItem = {0, rowHeight, width, 2 * rowHeight};
    item.itemData = reinterpret_cast<ULONG_PTR>(&record);
    DrawDriveItem(dialog_, &item);
    SelectObject(canvas.Dc(), previousFont);
    const COLORREF white = RGB(255, 255, 255);
    for (int y : {0, rowHeight - 1, 2 * rowHeight, 3 * rowHeight - 1})
        EXPECT_EQ(canvas.CountInRow(y, white), width) << "pixel row " << y;
    std::vector<int> textRows;
    for (int y = rowHeight; y < 2 * rowHeight; ++y) {
        for (int x = static_cast<int>(60 * dpi / 96); x < width; ++x) {
            COLORREF pixel = canvas.Pixel(x, y);
            if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 128) {
                textRows.push_back(y);
                break;
            }
        }
    }
    int lines = textRows.empty() ? 0 : 1;
    for (size_t i = 1; i < textRows.size(); ++i)
        lines += textRows[i] > textRows[i - 1] + 1;
    EXPECT_EQ(lines, 2);   // a title line and a directory line with room between them
    // The icon stands in the row at this DPI's size: its pixels fill more than the 96-DPI box.
    int iconPixels = 0;
    for (int y = rowHeight; y < 2 * rowHeight; ++y)
        for (int x = 0; x < static_cast<int>(52 * dpi / 96); ++x)
            iconPixels += canvas.Pixel(x, y) != white;
    EXPECT_GT(iconPixels, sizes.rowIcon * sizes.rowIcon / 2);
}

// A move to a display of another scaling rebuilds what belongs to a DPI and releases the old.
std::set<void*> g_released;
void* g_realImageListDestroy = nullptr;
void* g_realDeleteObject = nullptr;
void* g_realDestroyIcon = nullptr;

int IconWidth(HICON icon)
{
    ICONINFO info = {};
    if (icon == nullptr || !GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

BOOL WINAPI RecordingImageListDestroy(HIMAGELIST images)
{
    g_released.insert(images);
    return reinterpret_cast<decltype(&ImageList_Destroy)>(g_realImageListDestroy)(images);
}

BOOL WINAPI RecordingDestroyIcon(HICON icon)
{
    g_released.insert(icon);
    return reinterpret_cast<decltype(&DestroyIcon)>(g_realDestroyIcon)(icon);
}

BOOL WINAPI RecordingDeleteObject(HGDIOBJ object)
{
    g_released.insert(object);
    return reinterpret_cast<decltype(&DeleteObject)>(g_realDeleteObject)(object);
}

TEST_F(DpiTest, MoveToAnotherScalingRebuildsAndReleasesTheOld)
{
    ImportHook destroy("comctl32.dll", "ImageList_Destroy", reinterpret_cast<void*>(&RecordingImageListDestroy));
    ImportHook deleteObject("gdi32.dll", "DeleteObject", reinterpret_cast<void*>(&RecordingDeleteObject));
    ImportHook destroyIcon("user32.dll", "DestroyIcon", reinterpret_cast<void*>(&RecordingDestroyIcon));
    ASSERT_TRUE(destroy.Installed() && deleteObject.Installed() && destroyIcon.Installed());
    g_realImageListDestroy = destroy.Original();
    g_realDeleteObject = deleteObject.Original();
    g_realDestroyIcon = destroyIcon.Original();
    wchar_t letter = TakeFreeLetter();
    ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\C:\\windows"));
    ASSERT_NE(OpenDialog(), nullptr);
    const UINT start = g_uDpi;
    for (UINT dpi : {start * 2, start}) {
        SCOPED_TRACE(testing::Message() << "to " << dpi << " DPI");
        const HIMAGELIST oldImages[] = {RowHeightImages(Control(IDC_DRIVE_LIST)), g_himlMainToolbar,
                                        g_himlBrowseToolbar};
        const HFONT oldBold = g_hBoldFont;
        const HICON oldIcon = g_hItemIcon;
        ASSERT_NE(oldIcon, nullptr);
        g_released.clear();
        RECT suggested = {};
        GetWindowRect(dialog_, &suggested);
        suggested.right += 10;
        SendMessageW(dialog_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        Pump();
        RECT now = {};
        GetWindowRect(dialog_, &now);
        EXPECT_TRUE(EqualRect(&now, &suggested));
        EXPECT_EQ(g_uDpi, dpi);
        const Sizes sizes = SizesAt(dpi);
        EXPECT_NEAR(RowHeight(Control(IDC_DRIVE_LIST)), sizes.row, 1);
        EXPECT_EQ(ImageSize(RowHeightImages(Control(IDC_DRIVE_LIST))), sizes.row);
        EXPECT_EQ(ImageSize(g_himlMainToolbar), sizes.toolbarIcon);
        EXPECT_EQ(ImageSize(g_himlBrowseToolbar), sizes.toolbarIcon);
        LRESULT buttonSize = SendMessageW(g_hwndMainToolbar, TB_GETBUTTONSIZE, 0, 0);
        EXPECT_EQ(LOWORD(buttonSize), sizes.buttonWidth);
        EXPECT_EQ(HIWORD(buttonSize), sizes.buttonHeight);
        RECT toolbar = {};
        GetWindowRect(g_hwndMainToolbar, &toolbar);
        EXPECT_EQ(toolbar.right - toolbar.left, sizes.mainToolbarWidth);
        EXPECT_TRUE(g_released.count(oldIcon));
        EXPECT_EQ(IconWidth(g_hItemIcon), sizes.rowIcon);   // the rows drawn since have it at the new size
        for (HIMAGELIST old : oldImages)
            EXPECT_TRUE(g_released.count(old)) << old;
        EXPECT_TRUE(g_released.count(oldBold));
        EXPECT_NE(g_hBoldFont, oldBold);
        EXPECT_NE(g_hBoldFont, nullptr);
    }
}

// Windows before Vista cannot read the PNG frames of the large sizes: LoadImageW fails for them.
void* g_realLoadImage = nullptr;

HANDLE WINAPI LoadImageWithoutPngFrames(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height, UINT flags)
{
    bool pngFrame = width > 48 || (width > 16 && width != 48 && name != MAKEINTRESOURCEW(IDI_APP));
    if (type == IMAGE_ICON && pngFrame)
        return nullptr;
    return reinterpret_cast<decltype(&LoadImageW)>(g_realLoadImage)(instance, name, type, width, height, flags);
}

TEST(ProgramIcons, LargeSizesFallBackToTheClassicFramesWhereTheyCannotBeRead)
{
    ImportHook hook("user32.dll", "LoadImageW", reinterpret_cast<void*>(&LoadImageWithoutPngFrames));
    ASSERT_TRUE(hook.Installed());
    g_realLoadImage = hook.Original();
    const struct {
        int id;
        int size;
        int loaded;
    } cases[] = {{IDI_APP, 64, 48}, {IDI_APP, 48, 48}, {IDI_APP, 32, 32}, {IDI_NEW, 24, 16}, {IDI_BROWSE, 32, 16},
                 {IDI_SAVE, 16, 16}};
    for (const auto& c : cases) {
        HICON icon = LoadProgramIcon(c.id, c.size);
        EXPECT_EQ(IconWidth(icon), c.loaded) << c.id << " at " << c.size;
        DestroyIcon(icon);
    }
}

}  // namespace
