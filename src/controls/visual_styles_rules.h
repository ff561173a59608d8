// Rules of the visual-styles binding that do not need the window system: which entry points are
// bound, in which order, and which of them a binding cannot stand without.
#pragma once
#include <cstddef>

// Positions in kThemeEntries, which is also the order in which they are looked up.
enum ThemeEntryIndex {
    kEntryOpenThemeData,
    kEntryCloseThemeData,
    kEntryIsThemeBackgroundPartiallyTransparent,
    kEntryDrawThemeParentBackground,
    kEntryDrawThemeBackground,
    kEntryGetThemeBackgroundContentRect,
    kEntryDrawThemeText,
    kEntryGetThemeTextExtent,
    kEntryEnableThemeDialogTexture,
    kThemeEntryCount
};

struct ThemeEntry {
    const char* name;  // as the library exports it
    bool needed;       // a binding without it does not stand
};

extern const ThemeEntry kThemeEntries[kThemeEntryCount];

// True when every needed entry point was found; found[i] tells about kThemeEntries[i].
bool NeededThemeEntriesFound(const bool (&found)[kThemeEntryCount]);
