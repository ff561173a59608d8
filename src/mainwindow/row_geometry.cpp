// Layout of a drive list row.
#include "mainwindow/row_geometry.h"

namespace {

// The icon stands this far right of the inner box, the text this far.
constexpr int kIconIndent = 8;
constexpr int kTextIndent = 52;

RowRect Shrunk(const RowRect& r, int by)
{
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

}  // namespace

RowGeometry ComputeRowGeometry(const RowRect& item, int listFontHeight, int boldFontHeight)
{
    RowGeometry g;
    g.frame = Shrunk(item, 1);
    g.inner = Shrunk(item, 3);
    const int height = g.inner.bottom - g.inner.top;
    // C++ division truncates toward zero, so a short row moves the icon up by the smaller half.
    g.iconLeft = g.inner.left + kIconIndent;
    g.iconTop = g.inner.top + (height - kRowIconSize) / 2;
    g.gap = (height - boldFontHeight - listFontHeight) / 3;
    g.title = {g.inner.left + kTextIndent, g.inner.top + g.gap, g.inner.right, g.inner.bottom};
    g.directory = g.title;
    // The directory line starts one pixel less than the gap below the title's cell.
    g.directory.top = g.title.top + boldFontHeight + g.gap - 1;
    return g;
}
