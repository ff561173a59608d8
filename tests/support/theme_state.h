// How the visual-styles binding stands, as the tests read it from its table.
#pragma once

#include "controls/visual_styles.h"

enum ThemeState {
    kThemeUnbound,        // no library: classic drawing
    kThemeBoundThemed,    // library and a "Button" theme: themed drawing
    kThemeBoundClassic,   // library kept, but visual styles are off: classic drawing
};

inline ThemeState CurrentThemeState()
{
    if (g_themeApi.hUxTheme == nullptr)
        return kThemeUnbound;
    return g_themeApi.hThemeButton != nullptr ? kThemeBoundThemed : kThemeBoundClassic;
}
