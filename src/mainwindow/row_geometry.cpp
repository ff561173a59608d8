// Layout of a drive list row.
#include "mainwindow/row_geometry.h"

namespace {

// At 96 DPI the icon stands this far right of the inner box, the text this far.
constexpr int kIconIndent = 8;
constexpr int kTextIndent = 52;
constexpr int kOuterCorner = 5;
constexpr int kInnerCorner = 2;

RowRect Shrunk(const RowRect& r, int by)
{
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

}  // namespace

RowGeometry ComputeRowGeometry(const RowRect& item, int listFontHeight, int boldFontHeight, unsigned dpi)
{
    RowGeometry g;
    g.line = LineWidthForDpi(dpi);
    g.frame = Shrunk(item, g.line);
    g.inner = Shrunk(item, 3 * g.line);
    g.outerCorner = ScaleForDpi(kOuterCorner, dpi);
    g.innerCorner = ScaleForDpi(kInnerCorner, dpi);
    const int height = g.inner.bottom - g.inner.top;
    // C++ division truncates toward zero, so a short row moves the icon up by the smaller half.
    g.iconSize = ScaleForDpi(kRowIconSize, dpi);
    g.iconLeft = g.inner.left + ScaleForDpi(kIconIndent, dpi);
    g.iconTop = g.inner.top + (height - g.iconSize) / 2;
    g.gap = (height - boldFontHeight - listFontHeight) / 3;
    g.title = {g.inner.left + ScaleForDpi(kTextIndent, dpi), g.inner.top + g.gap, g.inner.right, g.inner.bottom};
    g.directory = g.title;
    // The directory line starts one line less than the gap below the title's cell.
    g.directory.top = g.title.top + boldFontHeight + g.gap - g.line;
    return g;
}
