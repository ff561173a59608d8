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
}  // namespace

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
