// The icon groups linked into this test program, read through the resource functions and
// loaded the way the dialog and the toolbars load them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "core/app_globals.h"
#include "res/resource.h"

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

using Format = std::pair<int, int>;  // size in pixels, bits per pixel

struct IconGroup {
    int id;
    std::vector<Format> formats;
};

std::vector<IconGroup> ExpectedGroups()
{
    std::vector<Format> app;
    for (int bits : {4, 8, 32})
        for (int size : {16, 24, 32, 48})
            app.push_back({size, bits});
    const std::vector<Format> toolbar = {{16, 8}, {16, 32}};
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
        for (int i = 0; i < header->count; ++i)
            found.push_back({entries[i].width == 0 ? 256 : entries[i].width, entries[i].bitCount});
        std::vector<Format> expected = group.formats;
        std::sort(found.begin(), found.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(found, expected);
    }
}

// Each image must really be a DIB of its entry's depth, a palette image below 16 bits,
// with artwork in it: some pixels shown and some transparent.
TEST(Icons, ImagesAreDibsOfTheirDepthWithArtwork)
{
    int images = 0;
    for (const IconGroup& group : ExpectedGroups()) {
        DWORD groupSize = 0;
        auto* header = reinterpret_cast<const GroupIconHeader*>(LockedResource(group.id, RT_GROUP_ICON, &groupSize));
        ASSERT_NE(header, nullptr);
        auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
        for (int i = 0; i < header->count; ++i) {
            const GroupIconEntry& entry = entries[i];
            SCOPED_TRACE(testing::Message() << group.id << " " << int(entry.width) << "x" << entry.bitCount);
            DWORD size = 0;
            const BYTE* image = LockedResource(entry.id, RT_ICON, &size);
            ASSERT_NE(image, nullptr);
            ASSERT_EQ(size, entry.bytesInResource);
            ASSERT_GE(size, sizeof(BITMAPINFOHEADER));
            auto* dib = reinterpret_cast<const BITMAPINFOHEADER*>(image);
            EXPECT_EQ(dib->biSize, sizeof(BITMAPINFOHEADER));
            EXPECT_EQ(dib->biWidth, entry.width);
            EXPECT_EQ(dib->biHeight, 2 * entry.height);
            EXPECT_EQ(dib->biBitCount, entry.bitCount);
            EXPECT_EQ(dib->biCompression, static_cast<DWORD>(BI_RGB));
            EXPECT_EQ(entry.colourCount, entry.bitCount == 4 ? 16 : 0);
            int width = dib->biWidth;
            int height = dib->biHeight / 2;
            DWORD paletteBytes = dib->biBitCount <= 8 ? (1u << dib->biBitCount) * sizeof(RGBQUAD) : 0;
            DWORD colourBytes = height * RowBytes(width, dib->biBitCount);
            DWORD maskBytes = height * RowBytes(width, 1);
            ASSERT_EQ(size, dib->biSize + paletteBytes + colourBytes + maskBytes);

            const BYTE* colour = image + dib->biSize + paletteBytes;
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

            HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image), size, TRUE, 0x00030000, width, height,
                                                  LR_DEFAULTCOLOR);
            ASSERT_NE(icon, nullptr);
            SIZE loaded = IconSize(icon);
            EXPECT_EQ(loaded.cx, width);
            EXPECT_EQ(loaded.cy, height);
            DestroyIcon(icon);
            ++images;
        }
    }
    EXPECT_EQ(images, 12 + 4 * 2);
}

TEST(Icons, LoadImageFindsEverySize)
{
    for (const IconGroup& group : ExpectedGroups()) {
        std::vector<int> sizes;
        for (const Format& format : group.formats)
            if (std::find(sizes.begin(), sizes.end(), format.first) == sizes.end())
                sizes.push_back(format.first);
        for (int size : sizes) {
            SCOPED_TRACE(testing::Message() << group.id << " at " << size);
            auto icon = static_cast<HICON>(
                LoadImageW(g_hInstance, MAKEINTRESOURCEW(group.id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
            ASSERT_NE(icon, nullptr);
            SIZE loaded = IconSize(icon);
            EXPECT_EQ(loaded.cx, size);
            EXPECT_EQ(loaded.cy, size);
            DestroyIcon(icon);
        }
    }
}

// LoadIconW, as the toolbars use it, gives the system's large size, scaled from the 16-pixel images.
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
