// Painting into memory and reading pixels back.
#include "support/memory_canvas.h"

int FontHeight(HFONT font)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return metrics.tmHeight;
}

MemoryCanvas::MemoryCanvas(int width, int height, COLORREF fill) : width_(width), height_(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<const DWORD*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    Fill(fill);
}

MemoryCanvas::~MemoryCanvas()
{
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void MemoryCanvas::Fill(COLORREF color)
{
    RECT all = {0, 0, width_, height_};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

COLORREF MemoryCanvas::Pixel(int x, int y) const
{
    GdiFlush();
    DWORD value = bits_[y * width_ + x];  // 0x00RRGGBB
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int MemoryCanvas::Count(COLORREF color) const
{
    int count = 0;
    for (int y = 0; y < height_; ++y)
        count += CountInRow(y, color);
    return count;
}

int MemoryCanvas::CountInRow(int y, COLORREF color) const
{
    int count = 0;
    for (int x = 0; x < width_; ++x)
        count += Pixel(x, y) == color;
    return count;
}

bool MemoryCanvas::AreaIs(COLORREF color, int left, int top, int right, int bottom) const
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (Pixel(x, y) != color)
                return false;
    return true;
}

bool MemoryCanvas::SameArea(const MemoryCanvas& other, int left, int top, int right, int bottom) const
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (Pixel(x, y) != other.Pixel(x, y))
                return false;
    return true;
}
