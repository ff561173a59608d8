// The visual-styles binding: stand-in libraries that lack entry points, and Wine's own library
// while its light visual style is switched on and off.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "controls/hyperlink.h"
#include "controls/visual_styles.h"
#include "import_hook/import_hook.h"
#include "support/link_host.h"
#include "support/memory_canvas.h"
#include "support/theme_state.h"
#include "support/visual_style_switch.h"

namespace {

const wchar_t kClassesVariable[] = L"MORVEX_FAKE_THEME_CLASSES";
const wchar_t kLogVariable[] = L"MORVEX_FAKE_THEME_LOG";

std::wstring BesideThisProgram(const std::wstring& name)
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path);
    return directory.substr(0, directory.rfind(L'\\') + 1) + name;
}

std::wstring FakeLibrary(const std::string& variant)
{
    return BesideThisProgram(L"fake_theme_" + std::wstring(variant.begin(), variant.end()) + L".dll");
}

std::wstring SystemThemeLibrary()
{
    wchar_t path[MAX_PATH];
    GetSystemDirectoryW(path, MAX_PATH);
    return std::wstring(path) + L"\\UxTheme.dll";
}

std::wstring FakeLog()
{
    wchar_t log[4096] = L"";
    GetEnvironmentVariableW(kLogVariable, log, 4096);
    return log;
}

void ClearFakeLog()
{
    SetEnvironmentVariableW(kLogVariable, L"");
}

bool TableIsEmpty()
{
    static const ThemeApi empty = {};
    return std::memcmp(&g_themeApi, &empty, sizeof empty) == 0;
}

void* Slot(size_t entry)
{
    // The slots are laid out in lookup order, one pointer each.
    return reinterpret_cast<void* const*>(&g_themeApi)[entry];
}

// Background behind the text of a wide link, far right of its text.
COLORREF LinkBackground(HWND link)
{
    SIZE size = ClientSize(link);
    MemoryCanvas canvas(size.cx, size.cy);
    canvas.Fill(RGB(1, 2, 3));
    SendMessageW(link, WM_PAINT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    return canvas.Pixel(size.cx - 3, size.cy - 3);
}

class VisualStyles : public ::testing::Test {
protected:
    void SetUp() override
    {
        UnloadThemeApi();
        SetEnvironmentVariableW(kClassesVariable, nullptr);
        ClearFakeLog();
    }
    void TearDown() override
    {
        UnloadThemeApi();
        SetEnvironmentVariableW(kClassesVariable, nullptr);
    }
    LinkHost host_;
};

TEST_F(VisualStyles, FullLibraryBindsEveryEntryPointAndBothThemes)
{
    std::wstring path = FakeLibrary("full");
    ASSERT_TRUE(LoadThemeApiFrom(host_.Window(), path.c_str()));
    HMODULE library = GetModuleHandleW(path.c_str());
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(g_themeApi.hUxTheme, library);
    for (size_t entry = 0; entry < kThemeEntryCount; ++entry) {
        void* exported = reinterpret_cast<void*>(GetProcAddress(library, kThemeEntries[entry].name));
        ASSERT_NE(exported, nullptr) << kThemeEntries[entry].name;
        EXPECT_EQ(Slot(entry), exported) << kThemeEntries[entry].name;
    }
    EXPECT_NE(g_themeApi.hThemeButton, nullptr);
    EXPECT_NE(g_themeApi.hThemeTab, nullptr);
    EXPECT_EQ(FakeLog(), L"open Button;open Tab;");
    EXPECT_EQ(CurrentThemeState(), kThemeBoundThemed);
}

TEST_F(VisualStyles, LibraryWithoutTextExtentOrTabThemeStillBinds)
{
    std::wstring path = FakeLibrary("no_GetThemeTextExtent");
    ASSERT_TRUE(LoadThemeApiFrom(host_.Window(), path.c_str()));
    EXPECT_EQ(g_themeApi.GetThemeTextExtent, nullptr);
    EXPECT_NE(g_themeApi.EnableThemeDialogTexture, nullptr);
    EXPECT_EQ(CurrentThemeState(), kThemeBoundThemed);
    UnloadThemeApi();

    SetEnvironmentVariableW(kClassesVariable, L"Button");
    ASSERT_TRUE(LoadThemeApiFrom(host_.Window(), FakeLibrary("full").c_str()));
    EXPECT_NE(g_themeApi.hThemeButton, nullptr);
    EXPECT_EQ(g_themeApi.hThemeTab, nullptr);
}

TEST_F(VisualStyles, AnyMissingNeededEntryPointLeavesNoBindingAndReleasesTheLibrary)
{
    const struct {
        const char* variant;
        const wchar_t* log;  // what the stand-in was asked before it was released
    } cases[] = {
        {"no_OpenThemeData", L""},
        {"no_CloseThemeData", L"open Button;open Tab;"},  // the handles can only be dropped
        {"no_IsThemeBackgroundPartiallyTransparent", L"open Button;open Tab;close Button;close Tab;"},
        {"no_DrawThemeParentBackground", L"open Button;open Tab;close Button;close Tab;"},
        {"no_DrawThemeBackground", L"open Button;open Tab;close Button;close Tab;"},
        {"no_GetThemeBackgroundContentRect", L"open Button;open Tab;close Button;close Tab;"},
        {"no_DrawThemeText", L"open Button;open Tab;close Button;close Tab;"},
        {"no_EnableThemeDialogTexture", L"open Button;open Tab;close Button;close Tab;"},
    };
    for (const auto& c : cases) {
        ClearFakeLog();
        std::wstring path = FakeLibrary(c.variant);
        ASSERT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << c.variant;
        EXPECT_FALSE(LoadThemeApiFrom(host_.Window(), path.c_str())) << c.variant;
        EXPECT_TRUE(TableIsEmpty()) << c.variant;
        EXPECT_EQ(GetModuleHandleW(path.c_str()), nullptr) << c.variant;
        EXPECT_EQ(FakeLog(), c.log) << c.variant;
    }
}

TEST_F(VisualStyles, NoButtonThemeLeavesNoBinding)
{
    SetEnvironmentVariableW(kClassesVariable, L"Tab");
    std::wstring path = FakeLibrary("full");
    EXPECT_FALSE(LoadThemeApiFrom(host_.Window(), path.c_str()));
    EXPECT_TRUE(TableIsEmpty());
    EXPECT_EQ(GetModuleHandleW(path.c_str()), nullptr);
    EXPECT_EQ(FakeLog(), L"open Button none;open Tab;close Tab;");
    EXPECT_EQ(CurrentThemeState(), kThemeUnbound);
}

TEST_F(VisualStyles, MissingLibraryChangesNothing)
{
    std::wstring missing = BesideThisProgram(L"no_such_library.dll");
    EXPECT_FALSE(LoadThemeApiFrom(host_.Window(), missing.c_str()));
    EXPECT_TRUE(TableIsEmpty());

}

// A second attempt while bound keeps the binding it has: rebinding would leak its handles.
TEST_F(VisualStyles, BindingTwiceKeepsTheFirstBinding)
{
    ASSERT_TRUE(LoadThemeApiFrom(host_.Window(), FakeLibrary("full").c_str()));
    ThemeApi bound = g_themeApi;
    ClearFakeLog();
    EXPECT_TRUE(LoadThemeApiFrom(host_.Window(), FakeLibrary("full").c_str()));
    EXPECT_TRUE(LoadThemeApiFrom(host_.Window(), BesideThisProgram(L"no_such_library.dll").c_str()));
    EXPECT_TRUE(InitVisualStyles(host_.Window()));
    EXPECT_EQ(std::memcmp(&bound, &g_themeApi, sizeof bound), 0);
    EXPECT_EQ(FakeLog(), L"");   // no theme opened twice
}

TEST_F(VisualStyles, RefreshWhileBoundReopensThemesAndKeepsTheLibrary)
{
    ASSERT_TRUE(LoadThemeApiFrom(host_.Window(), FakeLibrary("full").c_str()));
    ThemeApi bound = g_themeApi;

    // Visual styles switched off: no "Button" theme any more.
    SetEnvironmentVariableW(kClassesVariable, L"Tab");
    ClearFakeLog();
    RefreshThemes(host_.Window());
    EXPECT_EQ(FakeLog(), L"close Button;close Tab;open Button none;open Tab;");
    EXPECT_EQ(CurrentThemeState(), kThemeBoundClassic);
    EXPECT_EQ(g_themeApi.hUxTheme, bound.hUxTheme);
    EXPECT_EQ(g_themeApi.DrawThemeParentBackground, bound.DrawThemeParentBackground);
    EXPECT_EQ(g_themeApi.EnableThemeDialogTexture, bound.EnableThemeDialogTexture);

    // And on again.
    SetEnvironmentVariableW(kClassesVariable, nullptr);
    ClearFakeLog();
    RefreshThemes(host_.Window());
    EXPECT_EQ(FakeLog(), L"close Tab;open Button;open Tab;");
    EXPECT_EQ(CurrentThemeState(), kThemeBoundThemed);
}

std::vector<std::wstring> g_loadedLibraries;
void* g_originalLoadLibrary = nullptr;

HMODULE WINAPI RecordingLoadLibrary(LPCWSTR name)
{
    g_loadedLibraries.push_back(name);
    return reinterpret_cast<decltype(&LoadLibraryW)>(g_originalLoadLibrary)(name);
}

TEST_F(VisualStyles, TheSystemsLibraryIsLoadedByItsFullPath)
{
    ImportHook hook("kernel32.dll", "LoadLibraryW", reinterpret_cast<void*>(RecordingLoadLibrary));
    ASSERT_TRUE(hook.Installed());
    g_originalLoadLibrary = hook.Original();
    g_loadedLibraries.clear();
    InitVisualStyles(host_.Window());
    UnloadThemeApi();
    RefreshThemes(host_.Window());  // unbound: a whole new attempt
    ASSERT_EQ(g_loadedLibraries.size(), 2u);
    for (const std::wstring& loaded : g_loadedLibraries)
        EXPECT_EQ(lstrcmpiW(loaded.c_str(), SystemThemeLibrary().c_str()), 0) << loaded;
}

TEST_F(VisualStyles, LinkPaintsThroughTheBoundParentBackground)
{
    ASSERT_TRUE(MakeHyperlink(host_.Static(), L"http://morvex.example.org/", nullptr, nullptr, 0));
    EXPECT_EQ(LinkBackground(host_.Static()), GetSysColor(COLOR_BTNFACE));

    ASSERT_TRUE(LoadThemeApiFrom(host_.Window(), FakeLibrary("full").c_str()));
    ClearFakeLog();
    EXPECT_EQ(LinkBackground(host_.Static()), RGB(255, 0, 255));  // what the stand-in paints
    SIZE size = ClientSize(host_.Static());
    wchar_t expected[96];
    wsprintfW(expected, L"background %lx 0 0 %d %d;",
              static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(host_.Static())), size.cx, size.cy);
    EXPECT_EQ(FakeLog(), expected);

    SetEnvironmentVariableW(kClassesVariable, L"");
    RefreshThemes(host_.Window());
    ASSERT_EQ(CurrentThemeState(), kThemeBoundClassic);
    EXPECT_EQ(LinkBackground(host_.Static()), GetSysColor(COLOR_BTNFACE));
}

// Switches the style and waits for the posted WM_THEMECHANGED to reach the host.
void SwitchAndWait(LinkHost& host, VisualStyleSwitch& styles, bool on)
{
    int before = host.ThemeChanges();
    ASSERT_TRUE(on ? styles.SwitchOn() : styles.SwitchOff());
    for (int i = 0; i < 100 && host.ThemeChanges() == before; ++i) {
        PumpMessages();
        Sleep(10);
    }
    ASSERT_GT(host.ThemeChanges(), before);
}

TEST_F(VisualStyles, FollowsWinesLightStyleThroughTheThreeStates)
{
    VisualStyleSwitch styles;
    ASSERT_TRUE(styles.Available());
    ASSERT_TRUE(MakeHyperlink(host_.Static(), L"http://morvex.example.org/", nullptr, nullptr, 0));
    HWND link = host_.Static();

    ASSERT_TRUE(styles.SwitchOff());
    PumpMessages();
    UnloadThemeApi();
    EXPECT_FALSE(InitVisualStyles(host_.Window()));
    EXPECT_TRUE(TableIsEmpty());
    EXPECT_EQ(LinkBackground(link), GetSysColor(COLOR_BTNFACE));

    SwitchAndWait(host_, styles, true);
    EXPECT_EQ(CurrentThemeState(), kThemeBoundThemed);
    HMODULE systemLibrary = GetModuleHandleW(SystemThemeLibrary().c_str());
    EXPECT_EQ(g_themeApi.hUxTheme, systemLibrary);
    EXPECT_EQ(LinkBackground(link), LinkHost::kBackground);

    SwitchAndWait(host_, styles, false);
    EXPECT_EQ(CurrentThemeState(), kThemeBoundClassic);
    EXPECT_EQ(g_themeApi.hUxTheme, systemLibrary);
    EXPECT_NE(g_themeApi.DrawThemeParentBackground, nullptr);
    EXPECT_EQ(LinkBackground(link), GetSysColor(COLOR_BTNFACE));

    SwitchAndWait(host_, styles, true);
    EXPECT_EQ(CurrentThemeState(), kThemeBoundThemed);
    EXPECT_EQ(LinkBackground(link), LinkHost::kBackground);
}

}  // namespace
