// Rules of the visual-styles binding.
#include "controls/visual_styles_rules.h"

const ThemeEntry kThemeEntries[kThemeEntryCount] = {
    {"OpenThemeData", true},
    {"CloseThemeData", true},
    {"IsThemeBackgroundPartiallyTransparent", true},
    {"DrawThemeParentBackground", true},
    {"DrawThemeBackground", true},
    {"GetThemeBackgroundContentRect", true},
    {"DrawThemeText", true},
    {"GetThemeTextExtent", false},  // older libraries lack it and nothing here calls it
    {"EnableThemeDialogTexture", true},
};

bool NeededThemeEntriesFound(const bool (&found)[kThemeEntryCount])
{
    for (size_t i = 0; i < kThemeEntryCount; ++i) {
        if (kThemeEntries[i].needed && !found[i])
            return false;
    }
    return true;
}
