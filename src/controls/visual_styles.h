// Run-time binding of the visual-styles library "UxTheme.dll": its entry points and the main
// dialog's "Button" and "Tab" themes, in the one table g_themeApi. All or nothing: when the
// library, a needed entry point or the "Button" theme is missing, the table stays empty and
// the program draws the classic way. Read and written on the dialog's thread only.
#pragma once
#include <windows.h>
#include <uxtheme.h>

#include "controls/visual_styles_rules.h"

struct ThemeApi {
    // Entry points in lookup order, each null when the library does not export it.
    decltype(&::OpenThemeData) OpenThemeData;
    decltype(&::CloseThemeData) CloseThemeData;
    decltype(&::IsThemeBackgroundPartiallyTransparent) IsThemeBackgroundPartiallyTransparent;
    decltype(&::DrawThemeParentBackground) DrawThemeParentBackground;
    decltype(&::DrawThemeBackground) DrawThemeBackground;
    decltype(&::GetThemeBackgroundContentRect) GetThemeBackgroundContentRect;
    decltype(&::DrawThemeText) DrawThemeText;
    decltype(&::GetThemeTextExtent) GetThemeTextExtent;
    decltype(&::EnableThemeDialogTexture) EnableThemeDialogTexture;
    // Non-null exactly while a binding stands; then every needed entry point above is non-null.
    HMODULE hUxTheme;
    // The dialog's themes; hThemeButton null means classic drawing.
    HTHEME hThemeButton;
    HTHEME hThemeTab;
};

extern ThemeApi g_themeApi;

// First thing at dialog start: binds the library from the system directory and opens the
// dialog's themes; on any failure releases everything again. TRUE when a binding stands
// afterwards; while one stands already, nothing is done.
BOOL InitVisualStyles(HWND dialog);

// InitVisualStyles with the library given by its full path (the system's copy for the program;
// stand-in libraries for the tests).
BOOL LoadThemeApiFrom(HWND dialog, const wchar_t* libraryPath);

// Closes the open themes, releases the library and empties the table.
void UnloadThemeApi();

// On WM_THEMECHANGED: reopens the dialog's themes while bound, or makes a new binding attempt
// while unbound.
void RefreshThemes(HWND dialog);
