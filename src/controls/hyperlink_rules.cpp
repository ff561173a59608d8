// Rules of the hyperlink control.
#include "controls/hyperlink_rules.h"

#include "controls/dpi_rules.h"

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

int LinkTextInset(uint32_t flags, unsigned dpi)
{
    return (flags & HLF_FOCUSABLE) ? LineWidthForDpi(dpi) : 0;
}

uint32_t LinkWindowStyle(uint32_t style, uint32_t flags)
{
    style &= ~(kLinkStyleBorder | kLinkStyleTabStop);
    style |= kLinkStyleNotify;
    if (flags & HLF_FOCUSABLE)
        style |= kLinkStyleTabStop;
    return style;
}
