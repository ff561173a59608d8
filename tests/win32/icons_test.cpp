// The icon groups linked into this test program, read through the resource functions and
// loaded the way the dialog and the toolbars load them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <vector>

#include "core/app_globals.h"
#include "mainwindow/program_icons.h"
#include "res/resource.h"
#include "support/memory_canvas.h"

namespace {

#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
#pragma pack(pop)

// DIB images are what Windows 2000 and XP read; the large sizes for 150 % and 200 % scaling
// are PNG images, which Windows Vista and later read and which keep the program small.
enum Encoding { kDib, kPng };
using Format = std::tuple<int, int, Encoding>;  // size in pixels, bits per pixel, encoding

struct IconGroup {
    int id;
    std::vector<Format> formats;
};

std::vector<IconGroup> ExpectedGroups()
{
    std::vector<Format> app = {{64, 32, kPng}, {48, 32, kPng}};
    for (int bits : {4, 8, 32})
        for (int size : {16, 24, 32, 48})
            if (bits != 32 || size != 48)
                app.push_back({size, bits, kDib});
    const std::vector<Format> toolbar = {{16, 8, kDib}, {16, 32, kDib}, {24, 32, kPng}, {32, 32, kPng}};
    return {{IDI_APP, app}, {IDI_REMOVE, toolbar}, {IDI_SAVE, toolbar}, {IDI_NEW, toolbar}, {IDI_BROWSE, toolbar}};
}

const BYTE* LockedResource(int id, LPCWSTR type, DWORD* size)
{
    HRSRC found = FindResourceW(g_hInstance, MAKEINTRESOURCEW(id), type);
    if (found == nullptr)
        return nullptr;
    *size = SizeofResource(g_hInstance, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(g_hInstance, found)));
}

// One image of a group: its directory entry and its data.
struct IconImage {
    int group;
    GroupIconEntry entry;
    const BYTE* data;
    DWORD size;
};

// Every image of the expected groups; a group or an image that is missing fails the test.
std::vector<IconImage> Images()
{
    std::vector<IconImage> images;
    for (const IconGroup& group : ExpectedGroups()) {
        DWORD groupSize = 0;
        auto* header = reinterpret_cast<const GroupIconHeader*>(LockedResource(group.id, RT_GROUP_ICON, &groupSize));
        if (header == nullptr) {
            ADD_FAILURE() << "no icon group " << group.id;
            continue;
        }
        auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
        for (int i = 0; i < header->count; ++i) {
            DWORD size = 0;
            const BYTE* data = LockedResource(entries[i].id, RT_ICON, &size);
            if (data == nullptr) {
                ADD_FAILURE() << "no image " << entries[i].id << " of icon group " << group.id;
                continue;
            }
            images.push_back({group.id, entries[i], data, size});
        }
    }
    return images;
}

bool IsPng(const BYTE* data, DWORD size)
{
    const BYTE signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return size >= sizeof(signature) && std::memcmp(data, signature, sizeof(signature)) == 0;
}

DWORD BigEndian(const BYTE* bytes)
{
    return DWORD(bytes[0]) << 24 | DWORD(bytes[1]) << 16 | DWORD(bytes[2]) << 8 | bytes[3];
}

int RowBytes(int width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}

bool BitmapSize(HBITMAP bitmap, SIZE* size)
{
    BITMAP info = {};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof(info), &info) == 0)
        return false;
    size->cx = info.bmWidth;
    size->cy = info.bmHeight;
    return true;
}

// The colour bitmap's size of a loaded icon; for a monochrome icon the mask holds both halves.
SIZE IconSize(HICON icon)
{
    SIZE size = {0, 0};
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return size;
    if (!BitmapSize(info.hbmColor, &size) && BitmapSize(info.hbmMask, &size))
        size.cy /= 2;
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

// The icon drawn at its size over a background, row by row.
std::vector<COLORREF> Drawn(HICON icon, int size, COLORREF background)
{
    MemoryCanvas canvas(size, size);
    canvas.Fill(background);
    DrawIconEx(canvas.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

struct Coverage {
    int shown;
    int hidden;
};

// A pixel drawn alike over black and over white is shown; one that leaves both backgrounds as they were is
// transparent.
Coverage DrawnCoverage(HICON icon, int size)
{
    std::vector<COLORREF> overBlack = Drawn(icon, size, RGB(0, 0, 0));
    std::vector<COLORREF> overWhite = Drawn(icon, size, RGB(255, 255, 255));
    Coverage coverage = {0, 0};
    for (size_t i = 0; i < overBlack.size(); ++i) {
        if (overBlack[i] == overWhite[i])
            ++coverage.shown;
        else if (overBlack[i] == RGB(0, 0, 0) && overWhite[i] == RGB(255, 255, 255))
            ++coverage.hidden;
    }
    return coverage;
}

TEST(Icons, EveryGroupHoldsItsSizesAndDepths)
{
    for (const IconGroup& group : ExpectedGroups()) {
        SCOPED_TRACE(group.id);
        DWORD size = 0;
        const BYTE* data = LockedResource(group.id, RT_GROUP_ICON, &size);
        ASSERT_NE(data, nullptr);
        ASSERT_GE(size, sizeof(GroupIconHeader));
        auto* header = reinterpret_cast<const GroupIconHeader*>(data);
        EXPECT_EQ(header->type, 1);
        ASSERT_EQ(size, sizeof(GroupIconHeader) + header->count * sizeof(GroupIconEntry));
        auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
        std::vector<Format> found;
        for (int i = 0; i < header->count; ++i) {
            DWORD imageSize = 0;
            const BYTE* image = LockedResource(entries[i].id, RT_ICON, &imageSize);
            ASSERT_NE(image, nullptr);
            found.push_back({entries[i].width == 0 ? 256 : entries[i].width, entries[i].bitCount,
                             IsPng(image, imageSize) ? kPng : kDib});
        }
        std::vector<Format> expected = group.formats;
        std::sort(found.begin(), found.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(found, expected);
    }
}

// Each DIB image must really be a DIB of its entry's depth, a palette image below 16 bits,
// with artwork in it: some pixels shown and some transparent.
TEST(Icons, DibImagesAreOfTheirDepthWithArtwork)
{
    int dibs = 0;
    for (const IconImage& image : Images()) {
        if (IsPng(image.data, image.size))
            continue;
        const GroupIconEntry& entry = image.entry;
        SCOPED_TRACE(testing::Message() << image.group << " " << int(entry.width) << "x" << entry.bitCount);
        ++dibs;
        ASSERT_EQ(image.size, entry.bytesInResource);
        ASSERT_GE(image.size, sizeof(BITMAPINFOHEADER));
        auto* dib = reinterpret_cast<const BITMAPINFOHEADER*>(image.data);
        EXPECT_EQ(dib->biSize, sizeof(BITMAPINFOHEADER));
        EXPECT_EQ(dib->biWidth, entry.width);
        EXPECT_EQ(dib->biHeight, 2 * entry.height);
        EXPECT_EQ(dib->biBitCount, entry.bitCount);
        EXPECT_EQ(dib->biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(entry.colourCount, entry.bitCount == 4 ? 16 : 0);
        int width = dib->biWidth;
        int height = dib->biHeight / 2;
        // An 8-bit image keeps only the colours it uses (biClrUsed), as every DIB may.
        DWORD colours = dib->biClrUsed != 0 ? dib->biClrUsed : 1u << dib->biBitCount;
        DWORD paletteBytes = dib->biBitCount <= 8 ? colours * sizeof(RGBQUAD) : 0;
        DWORD colourBytes = height * RowBytes(width, dib->biBitCount);
        DWORD maskBytes = height * RowBytes(width, 1);
        ASSERT_EQ(image.size, dib->biSize + paletteBytes + colourBytes + maskBytes);

        const BYTE* colour = image.data + dib->biSize + paletteBytes;
        const BYTE* mask = colour + colourBytes;
        int shown = 0;
        int hidden = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                bool transparent;
                if (dib->biBitCount == 32)
                    transparent = colour[y * RowBytes(width, 32) + x * 4 + 3] == 0;
                else
                    transparent = (mask[y * RowBytes(width, 1) + x / 8] & (0x80 >> (x % 8))) != 0;
                ++(transparent ? hidden : shown);
            }
        }
        EXPECT_GT(shown, width * height / 4);
        EXPECT_GT(hidden, 0);

        HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image.data), image.size, TRUE, 0x00030000, width,
                                              height, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr);
        SIZE loaded = IconSize(icon);
        EXPECT_EQ(loaded.cx, width);
        EXPECT_EQ(loaded.cy, height);
        DestroyIcon(icon);
    }
    EXPECT_EQ(dibs, 11 + 4 * 2);
}

// Each PNG image must be an 8-bit RGBA image of its entry's size that the system loads,
// with artwork in it: some pixels shown and some transparent.
TEST(Icons, PngImagesAreRgbaOfTheirSizeWithArtwork)
{
    int pngs = 0;
    for (const IconImage& image : Images()) {
        if (!IsPng(image.data, image.size))
            continue;
        const GroupIconEntry& entry = image.entry;
        SCOPED_TRACE(testing::Message() << image.group << " " << int(entry.width) << "x" << entry.bitCount);
        ++pngs;
        ASSERT_EQ(image.size, entry.bytesInResource);
        EXPECT_EQ(entry.bitCount, 32);
        EXPECT_EQ(entry.colourCount, 0);
        // The signature, then the IHDR chunk: length, type, width, height, bit depth, colour type.
        ASSERT_GE(image.size, 8u + 8u + 13u + 4u);
        const BYTE* header = image.data + 8;
        EXPECT_EQ(BigEndian(header), 13u);
        EXPECT_EQ(std::memcmp(header + 4, "IHDR", 4), 0);
        EXPECT_EQ(BigEndian(header + 8), entry.width);
        EXPECT_EQ(BigEndian(header + 12), entry.height);
        EXPECT_EQ(header[16], 8);
        EXPECT_EQ(header[17], 6);

        int size = entry.width;
        HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image.data), image.size, TRUE, 0x00030000, size,
                                              size, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr);
        SIZE loaded = IconSize(icon);
        EXPECT_EQ(loaded.cx, size);
        EXPECT_EQ(loaded.cy, size);
        Coverage coverage = DrawnCoverage(icon, size);
        EXPECT_GT(coverage.shown, size * size / 4);
        EXPECT_GT(coverage.hidden, 0);
        DestroyIcon(icon);
    }
    EXPECT_EQ(pngs, 2 + 4 * 2);
}

// LoadImageW, as the dialog and the toolbars load icons at each display scaling, must find an
// image of exactly the size asked for and use it as it is, not a neighbour stretched to fit.
TEST(Icons, LoadImageFindsEverySize)
{
    for (const IconGroup& group : ExpectedGroups()) {
        DWORD groupSize = 0;
        const BYTE* directory = LockedResource(group.id, RT_GROUP_ICON, &groupSize);
        ASSERT_NE(directory, nullptr);
        std::vector<int> sizes;
        for (const Format& format : group.formats)
            if (std::find(sizes.begin(), sizes.end(), std::get<0>(format)) == sizes.end())
                sizes.push_back(std::get<0>(format));
        for (int size : sizes) {
            SCOPED_TRACE(testing::Message() << group.id << " at " << size);
            auto icon = static_cast<HICON>(
                LoadImageW(g_hInstance, MAKEINTRESOURCEW(group.id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
            ASSERT_NE(icon, nullptr);
            SIZE loaded = IconSize(icon);
            EXPECT_EQ(loaded.cx, size);
            EXPECT_EQ(loaded.cy, size);

            int chosen = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(directory), TRUE, size, size, LR_DEFAULTCOLOR);
            DWORD imageSize = 0;
            const BYTE* image = LockedResource(chosen, RT_ICON, &imageSize);
            ASSERT_NE(image, nullptr);
            HICON frame = CreateIconFromResourceEx(const_cast<BYTE*>(image), imageSize, TRUE, 0x00030000, 0, 0,
                                                   LR_DEFAULTCOLOR);
            ASSERT_NE(frame, nullptr);
            SIZE native = IconSize(frame);
            EXPECT_EQ(native.cx, size);
            EXPECT_EQ(native.cy, size);
            for (COLORREF background : {RGB(0, 0, 0), RGB(255, 255, 255)})
                EXPECT_TRUE(Drawn(icon, size, background) == Drawn(frame, size, background))
                    << "drawn unlike the image of that size over " << std::hex << background;
            DestroyIcon(frame);
            DestroyIcon(icon);
        }
    }
}

// A toolbar image added from the frame's own bits looks exactly as one added through the icon,
// over black and over white, at every size the toolbars meet (24 and 32 come through the icon).
TEST(Icons, ToolbarImagesFromTheFrameMatchThoseFromTheIcon)
{
    for (int size : {16, 24, 32}) {
        for (int id : {IDI_REMOVE, IDI_SAVE, IDI_NEW, IDI_BROWSE, IDI_APP}) {
            HIMAGELIST fromFrame = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 1);
            HIMAGELIST fromIcon = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 1);
            ASSERT_EQ(AddProgramIconImage(fromFrame, id, size), 0) << id;
            HICON icon = LoadProgramIcon(id, size);
            ASSERT_EQ(ImageList_ReplaceIcon(fromIcon, -1, icon), 0) << id;
            DestroyIcon(icon);
            // The mask too: a system that ignores the alpha channel draws through it.
            for (UINT style : {ILD_NORMAL, ILD_MASK}) {
                for (COLORREF background : {RGB(0, 0, 0), RGB(255, 255, 255)}) {
                    MemoryCanvas frame(size, size, background), viaIcon(size, size, background);
                    ImageList_Draw(fromFrame, 0, frame.Dc(), 0, 0, style);
                    ImageList_Draw(fromIcon, 0, viaIcon.Dc(), 0, 0, style);
                    EXPECT_TRUE(frame.SameArea(viaIcon, 0, 0, size, size)) << id << " at " << size;
                }
            }
            ImageList_Destroy(fromFrame);
            ImageList_Destroy(fromIcon);
        }
    }
}

// LoadIconW, as the toolbars use it, gives the system's large size.
TEST(Icons, ToolbarIconsLoadAtTheSystemSize)
{
    for (int id : {IDI_REMOVE, IDI_SAVE, IDI_NEW, IDI_BROWSE}) {
        HICON icon = LoadIconW(g_hInstance, MAKEINTRESOURCEW(id));
        ASSERT_NE(icon, nullptr) << id;
        SIZE loaded = IconSize(icon);
        EXPECT_EQ(loaded.cx, GetSystemMetrics(SM_CXICON)) << id;
        EXPECT_EQ(loaded.cy, GetSystemMetrics(SM_CYICON)) << id;
    }
}

}  // namespace
