// Pixel sizes at a display's DPI: every size of the program is given for 96 DPI (100 %).
#pragma once

constexpr unsigned kBaseDpi = 96;

// pixels at 96 DPI, scaled to dpi and rounded to the nearest pixel (halves away from zero).
int ScaleForDpi(int pixels, unsigned dpi);

// Width of a one-pixel line at dpi: whole multiples only, so that lines stay sharp.
int LineWidthForDpi(unsigned dpi);
