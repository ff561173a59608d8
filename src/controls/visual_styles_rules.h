// Rules of the visual-styles binding that do not need the window system: which entry points are
// bound, in which order, which of them a binding cannot stand without, and where the library is.
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

// path = directory, a backslash unless it already ends in one, and fileName: the system's copy
// of a library by its full path, so that one of the same name planted beside the executable or in
// the current directory is never the one loaded. False (path empty) when directory is empty or
// the result does not fit in capacity units: a cut path would name some other file.
bool JoinLibraryPath(const wchar_t* directory, const wchar_t* fileName, wchar_t* path, size_t capacity);
