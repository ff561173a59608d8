// Run-time binding of the visual-styles library.
#include "controls/visual_styles.h"

#include "core/dll_search.h"

ThemeApi g_themeApi = {};

namespace {

const wchar_t kThemeLibraryName[] = L"UxTheme.dll";
const wchar_t kButtonClass[] = L"Button";
const wchar_t kTabClass[] = L"Tab";

template <typename Function>
bool LookUpEntry(HMODULE library, ThemeEntryIndex entry, Function* slot)
{
    return BindFunction(library, kThemeEntries[entry].name, slot);
}

void OpenDialogThemes(HWND dialog)
{
    g_themeApi.hThemeButton = g_themeApi.OpenThemeData(dialog, kButtonClass);
    g_themeApi.hThemeTab = g_themeApi.OpenThemeData(dialog, kTabClass);
}

// Without a bound CloseThemeData a handle can only be dropped.
void CloseTheme(HTHEME* theme)
{
    if (*theme != nullptr && g_themeApi.CloseThemeData != nullptr)
        g_themeApi.CloseThemeData(*theme);
    *theme = nullptr;
}

void CloseDialogThemes()
{
    CloseTheme(&g_themeApi.hThemeButton);
    CloseTheme(&g_themeApi.hThemeTab);
}

}  // namespace

BOOL InitVisualStyles(HWND dialog)
{
    wchar_t libraryPath[MAX_PATH];
    if (!SystemLibraryPath(kThemeLibraryName, libraryPath, MAX_PATH))
        return FALSE;
    return LoadThemeApiFrom(dialog, libraryPath);
}

BOOL LoadThemeApiFrom(HWND dialog, const wchar_t* libraryPath)
{
    // A second binding would overwrite the module and theme handles of the first and leak them.
    if (g_themeApi.hUxTheme != nullptr)
        return TRUE;
    HMODULE library = LoadLibraryW(libraryPath);
    if (library == nullptr)
        return FALSE;
    g_themeApi.hUxTheme = library;

    bool found[kThemeEntryCount] = {};
    found[kEntryOpenThemeData] = LookUpEntry(library, kEntryOpenThemeData, &g_themeApi.OpenThemeData);
    if (!found[kEntryOpenThemeData]) {
        UnloadThemeApi();
        return FALSE;
    }
    OpenDialogThemes(dialog);

    // Every name is looked up, whatever became of the earlier ones.
    found[kEntryCloseThemeData] = LookUpEntry(library, kEntryCloseThemeData, &g_themeApi.CloseThemeData);
    found[kEntryIsThemeBackgroundPartiallyTransparent] = LookUpEntry(
        library, kEntryIsThemeBackgroundPartiallyTransparent, &g_themeApi.IsThemeBackgroundPartiallyTransparent);
    found[kEntryDrawThemeParentBackground] =
        LookUpEntry(library, kEntryDrawThemeParentBackground, &g_themeApi.DrawThemeParentBackground);
    found[kEntryDrawThemeBackground] =
        LookUpEntry(library, kEntryDrawThemeBackground, &g_themeApi.DrawThemeBackground);
    found[kEntryGetThemeBackgroundContentRect] =
        LookUpEntry(library, kEntryGetThemeBackgroundContentRect, &g_themeApi.GetThemeBackgroundContentRect);
    found[kEntryDrawThemeText] = LookUpEntry(library, kEntryDrawThemeText, &g_themeApi.DrawThemeText);
    found[kEntryGetThemeTextExtent] = LookUpEntry(library, kEntryGetThemeTextExtent, &g_themeApi.GetThemeTextExtent);
    found[kEntryEnableThemeDialogTexture] =
        LookUpEntry(library, kEntryEnableThemeDialogTexture, &g_themeApi.EnableThemeDialogTexture);

    if (!NeededThemeEntriesFound(found) || g_themeApi.hThemeButton == nullptr) {
        UnloadThemeApi();
        return FALSE;
    }
    return TRUE;
}

void UnloadThemeApi()
{
    if (g_themeApi.hUxTheme != nullptr) {
        CloseDialogThemes();
        FreeLibrary(g_themeApi.hUxTheme);
    }
    g_themeApi = ThemeApi{};
}

void RefreshThemes(HWND dialog)
{
    CloseDialogThemes();
    if (g_themeApi.hUxTheme == nullptr) {
        InitVisualStyles(dialog);
        return;
    }
    OpenDialogThemes(dialog);
}
