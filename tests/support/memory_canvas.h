// A 32-bit top-down DIB section selected into a memory DC, for painting into and reading
// pixels back exactly.
#pragma once
#include <windows.h>

class MemoryCanvas {
public:
    MemoryCanvas(int width, int height);
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC Dc() const { return dc_; }
    void Fill(COLORREF color);
    COLORREF Pixel(int x, int y) const;
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
