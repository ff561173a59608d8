// Rules of the visual-styles binding.
#include "controls/visual_styles_rules.h"

#include "core/bounded_string.h"

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

bool JoinLibraryPath(const wchar_t* directory, const wchar_t* fileName, wchar_t* path, size_t capacity)
{
    if (capacity == 0)
        return false;
    bool fits = directory[0] != L'\0' && CopyBounded(path, capacity, directory);
    if (fits && path[BoundedLength(path, capacity) - 1] != L'\\')
        fits = AppendBounded(path, capacity, L"\\");
    if (fits)
        fits = AppendBounded(path, capacity, fileName);
    if (!fits)
        path[0] = L'\0';
    return fits;
}
