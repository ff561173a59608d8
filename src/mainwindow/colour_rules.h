// When the dialog paints its own parts (list, rows, link) in the system's colours instead of
// its fixed ones.
#pragma once
#include <cstdint>

// Under High Contrast, and whenever the window colours are not black text on white: that is how
// a contrast theme shows itself where the flag cannot be read (Wine always reports it off).
// Colours as 0x00BBGGRR.
bool UseSystemColours(bool highContrast, uint32_t windowColour, uint32_t windowTextColour);
