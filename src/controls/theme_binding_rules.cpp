// Rules of the visual-styles binding.
#include "controls/theme_binding_rules.h"

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

ThemeState ThemeStateOf(bool libraryBound, bool buttonThemeOpen)
{
    if (!libraryBound)
        return kThemeUnbound;
    return buttonThemeOpen ? kThemeBoundThemed : kThemeBoundClassic;
}
