// Pixel sizes at a display's DPI.
#include "controls/dpi_rules.h"

int ScaleForDpi(int pixels, unsigned dpi)
{
    long long scaled = static_cast<long long>(pixels) * dpi;
    long long half = kBaseDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kBaseDpi : (scaled - half) / kBaseDpi);
}

int LineWidthForDpi(unsigned dpi)
{
    int lines = static_cast<int>(dpi / kBaseDpi);
    return lines > 0 ? lines : 1;
}
