// A 32-bit top-down DIB section selected into a memory DC, for painting into and reading
// pixels back exactly.
#pragma once
#include <windows.h>

// The tmHeight of a font: the height of a line of its text.
int FontHeight(HFONT font);

class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    bool Valid() const { return bits_ != nullptr; }
    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Fill(COLORREF color);
    COLORREF Pixel(int x, int y) const;
    // True when every pixel of [left, right) x [top, bottom) has this colour, or that of other.
    bool AreaIs(COLORREF color, int left, int top, int right, int bottom) const;
    bool SameArea(const MemoryCanvas& other, int left, int top, int right, int bottom) const;
    // Pixels of exactly this colour in the rectangle (the whole canvas by default).
    int Count(COLORREF color) const;
    int CountInRow(int y, COLORREF color) const;

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    const DWORD* bits_ = nullptr;
};
