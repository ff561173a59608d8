// The program's icons at the size a DPI asks for.
#pragma once
#include <windows.h>
#include <commctrl.h>

// The icon group id at size x size pixels, drawn from its nearest frame. Windows before Vista
// cannot read the PNG frames of the larger sizes: there the next smaller frame it can read is
// taken instead. The caller destroys the icon.
HICON LoadProgramIcon(int id, int size);

// Adds the icon group's size x size image to images and returns its index (-1 on failure). A 32-bit
// frame of that size goes in from the resource's own bits; anything else through an icon.
int AddProgramIconImage(HIMAGELIST images, int id, int size);

// A copy of a size x size icon at half its opacity, for what is not there now; null when the
// icon has no alpha channel or its bits cannot be read. The caller destroys it.
HICON MakeDimmedIcon(HICON icon, int size);
