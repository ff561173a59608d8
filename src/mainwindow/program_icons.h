// The program's icons at the size a DPI asks for.
#pragma once
#include <windows.h>

// The icon group id at size x size pixels, drawn from its nearest frame. Windows before Vista
// cannot read the PNG frames of the larger sizes: there the next smaller frame it can read is
// taken instead. The caller destroys the icon.
HICON LoadProgramIcon(int id, int size);
