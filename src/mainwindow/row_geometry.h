// Where the parts of a drive list row go: frame, gradient, icon and the two text lines,
// from the row's rectangle, the heights of the list's font and the bold title font, and the
// DPI the row is drawn at.
#pragma once

#include "controls/dpi_rules.h"

// A rectangle in device pixels, right and bottom exclusive, laid out like a Win32 RECT.
struct RowRect {
    int left;
    int top;
    int right;
    int bottom;
};

struct RowGeometry {
    int line;           // width of the frame's outlines
    RowRect frame;      // the row shrunk by one line: the outer outline of a selected row
    RowRect inner;      // the row shrunk by three lines: the gradient, and the box the rest is placed in
    int outerCorner;    // corner ellipse of the outer and the inner outline
    int innerCorner;
    int iconSize;       // the square icon's side and top-left corner
    int iconLeft;
    int iconTop;
    int gap;            // space above the title, negative when the fonts are taller than the box
    RowRect title;
    RowRect directory;
};

// The height of a row and the side of its icon at 96 DPI.
constexpr int kRowHeight = 44;
constexpr int kRowIconSize = 32;

// Title and directory text heights are the tmHeight of the bold and the list's font.
RowGeometry ComputeRowGeometry(const RowRect& item, int listFontHeight, int boldFontHeight,
                               unsigned dpi = kBaseDpi);
