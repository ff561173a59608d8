// The window style of a link.
#include "controls/link_style.h"

#include "controls/hyperlink_flags.h"

uint32_t LinkWindowStyle(uint32_t style, uint32_t flags)
{
    style &= ~(kLinkStyleBorder | kLinkStyleTabStop);
    style |= kLinkStyleNotify;
    if (flags & HLF_FOCUSABLE)
        style |= kLinkStyleTabStop;
    return style;
}
