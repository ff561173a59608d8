// Where the parts of a drive list row go: frame, gradient, icon and the two text lines,
// from the row's rectangle and the heights of the list's font and the bold title font.
#pragma once

// A rectangle in device pixels, right and bottom exclusive, laid out like a Win32 RECT.
struct RowRect {
    int left;
    int top;
    int right;
    int bottom;
};

struct RowGeometry {
    RowRect frame;      // the row shrunk by 1: the outer outline of a selected row
    RowRect inner;      // the row shrunk by 3: the gradient, and the box the rest is placed in
    int iconLeft;       // the 32x32 icon's top-left corner
    int iconTop;
    int gap;            // space above the title, negative when the fonts are taller than the box
    RowRect title;
    RowRect directory;
};

constexpr int kRowIconSize = 32;

// Title and directory text heights are the tmHeight of the bold and the list's font.
RowGeometry ComputeRowGeometry(const RowRect& item, int listFontHeight, int boldFontHeight);
