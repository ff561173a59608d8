// When the dialog paints in the system's colours.
#include "mainwindow/colour_rules.h"

bool UseSystemColours(bool highContrast, uint32_t windowColour, uint32_t windowTextColour)
{
    return highContrast || windowColour != 0x00FFFFFF || windowTextColour != 0x00000000;
}
