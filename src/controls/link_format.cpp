// How a link lays out and colours its text.
#include "controls/link_format.h"

#include "controls/dpi_rules.h"
#include "controls/hyperlink_flags.h"

uint32_t LinkTextFormat(uint32_t flags)
{
    uint32_t format = kLinkFormatSingleLine | kLinkFormatNoPrefix;
    if (flags & HLF_ALIGN_RIGHT)
        format |= kLinkFormatRight;
    else if (flags & HLF_ALIGN_CENTER)
        format |= kLinkFormatCenter;
    if (flags & HLF_VALIGN_BOTTOM)
        format |= kLinkFormatBottom;
    else if (flags & HLF_VALIGN_CENTER)
        format |= kLinkFormatVerticalCenter;
    return format;
}

uint32_t LinkTextColor(uint32_t flags, uint32_t linkColor, uint32_t visitedColor)
{
    return (flags & HLF_VISITED) ? visitedColor : linkColor;
}

int LinkTextInset(uint32_t flags, unsigned dpi)
{
    return (flags & HLF_FOCUSABLE) ? LineWidthForDpi(dpi) : 0;
}
