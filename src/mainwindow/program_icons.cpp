// The program's icons at the size a DPI asks for.
#include "mainwindow/program_icons.h"

#include "core/app_globals.h"

namespace {
// Frame sizes, largest first; the smaller ones are classic bitmaps in every group.
constexpr int kFrameSizes[] = {48, 32, 24, 16};

HICON LoadAtSize(int id, int size)
{
    return static_cast<HICON>(LoadImageW(g_hInstance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

const void* LockResourceOf(int id, LPCWSTR type)
{
    HRSRC resource = FindResourceW(g_hInstance, MAKEINTRESOURCEW(id), type);
    HGLOBAL loaded = resource != nullptr ? LoadResource(g_hInstance, resource) : nullptr;
    return loaded != nullptr ? LockResource(loaded) : nullptr;
}

// The frame that the system would draw the icon from at this size, when it is a classic 32-bit
// bitmap of exactly that size: its header, followed by the colour rows and the mask rows.
const BITMAPINFOHEADER* ExactFrame(int id, int size)
{
    auto* directory = static_cast<BYTE*>(const_cast<void*>(LockResourceOf(id, RT_GROUP_ICON)));
    int frameId = directory != nullptr ? LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR) : 0;
    auto* frame = frameId != 0 ? static_cast<const BITMAPINFOHEADER*>(LockResourceOf(frameId, RT_ICON)) : nullptr;
    bool exact = frame != nullptr && frame->biSize == sizeof(BITMAPINFOHEADER) && frame->biBitCount == 32 &&
                 frame->biCompression == BI_RGB && frame->biWidth == size && frame->biHeight == 2 * size;
    return exact ? frame : nullptr;
}

// A bottom-up DIB section of the given depth holding bytes.
HBITMAP MakeBitmap(int size, WORD bitCount, const void* bytes, size_t byteCount)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info = {};
    info.header.biSize = sizeof(info.header);
    info.header.biWidth = size;
    info.header.biHeight = size;
    info.header.biPlanes = 1;
    info.header.biBitCount = bitCount;
    info.colours[1] = {0xFF, 0xFF, 0xFF, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr)
        CopyMemory(bits, bytes, byteCount);
    return bitmap;
}

// Top-down 32-bit pixels, size x size.
BITMAPINFO TopDownPixels(int size)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    return info;
}

HBITMAP MakeTopDownBitmap(int size, DWORD** bits)
{
    BITMAPINFO info = TopDownPixels(size);
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
}

bool ReadPixels(HBITMAP bitmap, int size, DWORD* pixels)
{
    BITMAPINFO info = TopDownPixels(size);
    HDC screen = GetDC(nullptr);
    bool read = GetDIBits(screen, bitmap, 0, size, pixels, &info, DIB_RGB_COLORS) == size;
    ReleaseDC(nullptr, screen);
    return read;
}

}  // namespace

// ImageList_ReplaceIcon reads the icon back through device bitmaps, a round trip to the display
// per image under Wine; the frame's own bits give the image list the same colours and mask.
int AddProgramIconImage(HIMAGELIST images, int id, int size)
{
    const BITMAPINFOHEADER* frame = ExactFrame(id, size);
    if (frame == nullptr) {
        HICON icon = LoadProgramIcon(id, size);
        int index = ImageList_ReplaceIcon(images, -1, icon);
        DestroyIcon(icon);
        return index;
    }
    const BYTE* colour = reinterpret_cast<const BYTE*>(frame + 1);
    const size_t colourBytes = static_cast<size_t>(size) * size * 4;
    const size_t maskBytes = static_cast<size_t>((size + 31) / 32 * 4) * size;
    HBITMAP colourBitmap = MakeBitmap(size, 32, colour, colourBytes);
    HBITMAP maskBitmap = MakeBitmap(size, 1, colour + colourBytes, maskBytes);
    int index = colourBitmap != nullptr && maskBitmap != nullptr ? ImageList_Add(images, colourBitmap, maskBitmap) : -1;
    DeleteObject(colourBitmap);
    DeleteObject(maskBitmap);
    return index;
}

HICON LoadProgramIcon(int id, int size)
{
    HICON icon = LoadAtSize(id, size);
    for (int smaller : kFrameSizes) {
        if (icon != nullptr)
            break;
        if (smaller < size)
            icon = LoadAtSize(id, smaller);
    }
    return icon;
}

HICON MakeDimmedIcon(HICON icon, int size)
{
    ICONINFO parts = {};
    if (icon == nullptr || !GetIconInfo(icon, &parts))
        return nullptr;
    DWORD* colour = nullptr;
    HBITMAP colourBitmap = MakeTopDownBitmap(size, &colour);
    HICON dimmed = nullptr;
    bool hasAlpha = false;
    if (colourBitmap != nullptr && ReadPixels(parts.hbmColor, size, colour)) {
        for (int i = 0; i < size * size; ++i) {
            hasAlpha = hasAlpha || (colour[i] >> 24) != 0;
            colour[i] = (colour[i] & 0xFFFFFF) | ((colour[i] >> 25) << 24);
        }
    }
    // Only an image with an alpha channel can be drawn fainter; the others are drawn as they are.
    if (hasAlpha) {
        ICONINFO halved = {TRUE, 0, 0, parts.hbmMask, colourBitmap};
        dimmed = CreateIconIndirect(&halved);
    }
    DeleteObject(colourBitmap);
    DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    return dimmed;
}
