// The hyperlink control on a real static control: subclassing, size, mouse and keyboard,
// opening through the shell, fonts, painting and destruction.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/hyperlink.h"
#include "controls/visual_styles.h"
#include "import_hook/import_hook.h"
#include "mainwindow/homepage.h"
#include "support/link_host.h"
#include "support/memory_canvas.h"

namespace {

struct ShellCall {
    HWND owner;
    std::wstring verb, file;
    bool parameters, directory;
    INT show;
};

std::vector<ShellCall> g_shellCalls;
INT_PTR g_shellResult = 42;

HINSTANCE WINAPI FakeShellExecute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                                  INT show)
{
    g_shellCalls.push_back({owner, verb != nullptr ? verb : L"(null)", file != nullptr ? file : L"(null)",
                            parameters != nullptr, directory != nullptr, show});
    return reinterpret_cast<HINSTANCE>(g_shellResult);
}

HyperlinkData* Record(HWND window)
{
    return reinterpret_cast<HyperlinkData*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LPARAM Point(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// What DrawTextW needs for text in an underlined copy of font.
SIZE TextSize(HFONT font, const wchar_t* text)
{
    LOGFONTW logFont = {};
    GetObjectW(font, sizeof logFont, &logFont);
    logFont.lfUnderline = TRUE;
    HFONT underlined = CreateFontIndirectW(&logFont);
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, underlined);
    RECT rect = {0, 0, 0x7FFF, 0x7FFF};
    DrawTextW(dc, text, -1, &rect, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    DeleteObject(underlined);
    return {rect.right, rect.bottom};
}

SIZE WindowSize(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

class Hyperlink : public ::testing::Test {
protected:
    void SetUp() override
    {
        UnloadThemeApi();  // classic painting whatever the system's style
        ASSERT_TRUE(shell_.Installed());
        g_shellCalls.clear();
        g_shellResult = 42;
    }
    HWND Link() const { return host_.Static(); }
    bool Visited() const { return (Record(Link())->dwFlags & HLF_VISITED) != 0; }
    void Click(int x, int y)
    {
        SendMessageW(Link(), WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
        SendMessageW(Link(), WM_LBUTTONUP, 0, Point(x, y));
    }

    LinkHost host_;
    ImportHook shell_{"shell32.dll", "ShellExecuteW", reinterpret_cast<void*>(FakeShellExecute)};
};

TEST_F(Hyperlink, RefusesWindowsThatAreNoLinks)
{
    EXPECT_FALSE(MakeHyperlink(nullptr, L"x", nullptr, nullptr, 0));
    RECT rect;
    EXPECT_FALSE(OpenHyperlink(Link()));
    HDC dc = GetDC(Link());
    EXPECT_FALSE(PaintHyperlink(Link(), dc, &rect));
    ReleaseDC(Link(), dc);
    EXPECT_FALSE(AutoSizeHyperlink(Link()));
    HWND gone = Link();
    host_.DestroyStatic();
    EXPECT_FALSE(MakeHyperlink(gone, L"x", nullptr, nullptr, 0));
    EXPECT_TRUE(g_shellCalls.empty());
}

TEST_F(Hyperlink, SubclassesTheStaticInPlaceWithFullWidthPointers)
{
    LONG styleBefore = GetWindowLongW(Link(), GWL_STYLE);
    ASSERT_TRUE(MakeHyperlink(Link(), kHomepageUrl, nullptr, nullptr, HLF_FOCUSABLE | HLF_AUTOSIZE));
    if (sizeof(void*) == 8) {  // the program's image lies above 4 GB there: GWL_* would cut these
        EXPECT_GT(reinterpret_cast<ULONG_PTR>(&HyperlinkWndProc), 0xFFFFFFFFull);
    }
    EXPECT_EQ(GetWindowLongPtrW(Link(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&HyperlinkWndProc));
    HyperlinkData* link = Record(Link());
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->pfnPrevWndProc, host_.Spy());
    EXPECT_STREQ(link->szUrl, kHomepageUrl);
    EXPECT_EQ(link->hCursor, LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(link->crLink, 0x00FF0000u);
    EXPECT_EQ(link->crVisited, 0x00800080u);
    EXPECT_EQ(link->dwFlags, 0x60u);
    EXPECT_FALSE(link->bPressed);
    EXPECT_EQ(GetWindowLongW(Link(), GWL_STYLE), styleBefore | WS_TABSTOP | SS_NOTIFY);
    // The static keeps its plain font; the link draws with an underlined copy of it.
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Link(), WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW plain = {}, underlined = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof plain, &plain);
    ASSERT_NE(GetObjectW(link->hUnderlineFont, sizeof underlined, &underlined), 0);
    EXPECT_TRUE(underlined.lfUnderline);
    EXPECT_STREQ(underlined.lfFaceName, plain.lfFaceName);
    EXPECT_EQ(underlined.lfHeight, plain.lfHeight);
}

TEST_F(Hyperlink, AutoSizeFitsTheTextPlusTwoWhenFocusable)
{
    const struct {
        DWORD flags;
        int extra;
    } cases[] = {{HLF_FOCUSABLE | HLF_AUTOSIZE, 2}, {HLF_AUTOSIZE, 0}, {HLF_AUTOSIZE | HLF_ALIGN_RIGHT, 0}};
    SIZE text = TextSize(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), L"morvex.example.org");
    ASSERT_GT(text.cx, 20);
    for (const auto& c : cases) {
        ASSERT_TRUE(MakeHyperlink(Link(), nullptr, nullptr, nullptr, c.flags));
        SIZE size = WindowSize(Link());
        EXPECT_EQ(size.cx, text.cx + c.extra) << c.flags;
        EXPECT_EQ(size.cy, text.cy + c.extra) << c.flags;
        RECT measured;
        HDC dc = GetDC(Link());
        EXPECT_TRUE(PaintHyperlink(Link(), dc, &measured));
        ReleaseDC(Link(), dc);
        EXPECT_EQ(measured.right, size.cx);
        EXPECT_EQ(measured.bottom, size.cy);
        POINT origin = {0, 0};
        MapWindowPoints(Link(), host_.Window(), &origin, 1);
        EXPECT_EQ(origin.x, LinkHost::kStaticX);  // position kept
        EXPECT_EQ(origin.y, LinkHost::kStaticY);
    }
    // Without the option the window keeps its size.
    SetWindowPos(Link(), nullptr, 0, 0, 200, 30, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(MakeHyperlink(Link(), nullptr, nullptr, nullptr, HLF_FOCUSABLE));
    EXPECT_EQ(WindowSize(Link()).cx, 200);
}

TEST_F(Hyperlink, OpensWhenPressAndReleaseAreBothOnTheLink)
{
    ASSERT_TRUE(MakeHyperlink(Link(), kHomepageUrl, nullptr, nullptr, 0));
    SIZE size = ClientSize(Link());
    const struct {
        const char* what;
        std::vector<SpiedMessage> messages;
        size_t opens;
    } cases[] = {
        {"inside", {{WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5)}, {WM_LBUTTONUP, 0, Point(6, 6)}}, 1},
        {"left and came back",
         {{WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5)}, {WM_MOUSEMOVE, MK_LBUTTON, Point(-40, 90)},
          {WM_MOUSEMOVE, MK_LBUTTON, Point(8, 8)}, {WM_LBUTTONUP, 0, Point(8, 8)}},
         1},
        {"last pixel", {{WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5)}, {WM_LBUTTONUP, 0, Point(size.cx - 1, size.cy - 1)}}, 1},
        {"right of it", {{WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5)}, {WM_LBUTTONUP, 0, Point(size.cx, 5)}}, 0},
        {"below it", {{WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5)}, {WM_LBUTTONUP, 0, Point(5, size.cy)}}, 0},
        {"left of it", {{WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5)}, {WM_LBUTTONUP, 0, Point(-1, 5)}}, 0},
        {"above it", {{WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5)}, {WM_LBUTTONUP, 0, Point(5, -1)}}, 0},
        {"release without press", {{WM_LBUTTONUP, 0, Point(5, 5)}}, 0},
        {"capture lost before the release",
         {{WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5)}, {WM_CAPTURECHANGED, 0, 0}, {WM_LBUTTONUP, 0, Point(5, 5)}},
         0},
        {"second release",
         {{WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5)}, {WM_LBUTTONUP, 0, Point(5, 5)}, {WM_LBUTTONUP, 0, Point(5, 5)}},
         1},
        {"two clicks",
         {{WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5)}, {WM_LBUTTONUP, 0, Point(5, 5)},
          {WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5)}, {WM_LBUTTONUP, 0, Point(5, 5)}},
         2},
    };
    for (const auto& c : cases) {
        g_shellCalls.clear();
        host_.ClearPassed();
        for (const SpiedMessage& m : c.messages) {
            SendMessageW(Link(), m.message, m.wParam, m.lParam);
            if (m.message == WM_LBUTTONDOWN) {
                EXPECT_EQ(GetCapture(), Link()) << c.what;
                EXPECT_TRUE(Record(Link())->bPressed) << c.what;
            }
        }
        EXPECT_EQ(g_shellCalls.size(), c.opens) << c.what;
        EXPECT_EQ(GetCapture(), nullptr) << c.what;
        EXPECT_FALSE(Record(Link())->bPressed) << c.what;
        // Both button messages go on to the static as well.
        size_t buttonMessages = 0;
        for (const SpiedMessage& m : c.messages)
            buttonMessages += m.message != WM_CAPTURECHANGED;
        EXPECT_EQ(host_.PassedAmong({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE}).size(), buttonMessages) << c.what;
    }
}

TEST_F(Hyperlink, FocusableLinkOpensOncePerSpacePress)
{
    ASSERT_TRUE(MakeHyperlink(Link(), kHomepageUrl, nullptr, nullptr, HLF_FOCUSABLE));
    host_.ClearPassed();
    EXPECT_EQ(SendMessageW(Link(), WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS);
    for (int press = 0; press < 2; ++press) {
        EXPECT_EQ(SendMessageW(Link(), WM_KEYDOWN, VK_SPACE, 0x00390001), 0);
        for (int repeat = 0; repeat < 3; ++repeat)   // held down: auto-repeat opens no more windows
            EXPECT_EQ(SendMessageW(Link(), WM_KEYDOWN, VK_SPACE, 0x40390001), 0);
        EXPECT_EQ(SendMessageW(Link(), WM_KEYUP, VK_SPACE, 0xC0390001), 0);
    }
    EXPECT_EQ(g_shellCalls.size(), 2u);
    EXPECT_TRUE(host_.PassedAmong({WM_GETDLGCODE, WM_KEYDOWN, WM_KEYUP}).empty());

    SendMessageW(Link(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    SendMessageW(Link(), WM_KEYUP, VK_RETURN, 0xC01C0001);
    EXPECT_EQ(g_shellCalls.size(), 2u);
    std::vector<SpiedMessage> keys = host_.PassedAmong({WM_KEYDOWN, WM_KEYUP});
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].wParam, static_cast<WPARAM>(VK_RETURN));

    // A click gives it the focus.
    SetFocus(host_.Window());
    Click(3, 3);
    EXPECT_EQ(GetFocus(), Link());
}

TEST_F(Hyperlink, LinkThatIsNoTabStopPassesKeysAndFocusOn)
{
    ASSERT_TRUE(MakeHyperlink(Link(), kHomepageUrl, nullptr, nullptr, 0));
    EXPECT_EQ(GetWindowLongW(Link(), GWL_STYLE) & WS_TABSTOP, 0);
    host_.ClearPassed();
    SendMessageW(Link(), WM_GETDLGCODE, 0, 0);
    SendMessageW(Link(), WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageW(Link(), WM_KEYUP, VK_SPACE, 0xC0390001);
    EXPECT_TRUE(g_shellCalls.empty());
    const UINT expected[] = {WM_GETDLGCODE, WM_KEYDOWN, WM_KEYUP};
    std::vector<SpiedMessage> passed = host_.PassedAmong({WM_GETDLGCODE, WM_KEYDOWN, WM_KEYUP});
    ASSERT_EQ(passed.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(passed[i].message, expected[i]);
    EXPECT_EQ(passed[1].wParam, static_cast<WPARAM>(VK_SPACE));
    SetFocus(host_.Window());
    Click(3, 3);
    EXPECT_NE(GetFocus(), Link());
}

TEST_F(Hyperlink, OpenHandsTheTargetToTheShellsOpenVerb)
{
    ASSERT_TRUE(MakeHyperlink(Link(), kHomepageUrl, nullptr, nullptr, 0));
    EXPECT_TRUE(OpenHyperlink(Link()));
    ASSERT_EQ(g_shellCalls.size(), 1u);
    const ShellCall& call = g_shellCalls[0];
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.verb, L"open");
    EXPECT_EQ(call.file, kHomepageUrl);
    EXPECT_FALSE(call.parameters);
    EXPECT_FALSE(call.directory);
    EXPECT_EQ(call.show, SW_SHOWNORMAL);

    // Without a target the link's own text is opened.
    ASSERT_TRUE(MakeHyperlink(Link(), nullptr, nullptr, nullptr, 0));
    EXPECT_TRUE(OpenHyperlink(Link()));
    ASSERT_EQ(g_shellCalls.size(), 2u);
    EXPECT_EQ(g_shellCalls[1].file, L"morvex.example.org");
}

TEST_F(Hyperlink, TargetsLongerThan259CharactersAreCut)
{
    for (size_t length : {1, 258, 259, 260, 400}) {
        std::wstring target(length, L'a');
        ASSERT_TRUE(MakeHyperlink(Link(), target.c_str(), nullptr, nullptr, 0));
        size_t kept = length < 259 ? length : 259;
        EXPECT_EQ(std::wstring(Record(Link())->szUrl), target.substr(0, kept)) << length;
        g_shellCalls.clear();
        OpenHyperlink(Link());
        ASSERT_EQ(g_shellCalls.size(), 1u);
        EXPECT_EQ(g_shellCalls[0].file.size(), kept) << length;
    }
}

TEST_F(Hyperlink, VisitedColourOnlyAfterTheShellAcceptedTheTarget)
{
    const COLORREF linkColor = RGB(200, 0, 0), visitedColor = RGB(0, 0, 200);
    const struct {
        INT_PTR result;
        bool accepted;
    } cases[] = {{2, false}, {32, false}, {0, false}, {-1, false}, {33, true}, {42, true}};
    for (const auto& c : cases) {
        ASSERT_TRUE(MakeHyperlink(Link(), kHomepageUrl, &linkColor, &visitedColor, 0));
        g_shellResult = c.result;
        EXPECT_EQ(OpenHyperlink(Link()), c.accepted ? TRUE : FALSE) << c.result;
        EXPECT_EQ(Visited(), c.accepted) << c.result;
        SIZE size = ClientSize(Link());
        MemoryCanvas canvas(size.cx, size.cy);
        SendMessageW(Link(), WM_PAINT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
        // The underline is a solid line in the text colour.
        EXPECT_GT(canvas.Count(c.accepted ? visitedColor : linkColor), 10) << c.result;
        EXPECT_EQ(canvas.Count(c.accepted ? linkColor : visitedColor), 0) << c.result;
    }
}

std::wstring BesideThisProgram(const std::wstring& name)
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path);
    return directory.substr(0, directory.rfind(L'\\') + 1) + name;
}

TEST(HyperlinkShell, RealShellStartsALocalProgramAndRefusesWhatDoesNotExist)
{
    LinkHost host;
    std::wstring program = BesideThisProgram(L"quiet_program.exe");
    std::wstring mark = program + L".ran";
    DeleteFileW(mark.c_str());
    ASSERT_TRUE(MakeHyperlink(host.Static(), program.c_str(), nullptr, nullptr, 0));
    EXPECT_TRUE(OpenHyperlink(host.Static()));
    EXPECT_TRUE(Record(host.Static())->dwFlags & HLF_VISITED);
    bool ran = false;
    for (int i = 0; i < 200 && !ran; ++i) {
        ran = GetFileAttributesW(mark.c_str()) != INVALID_FILE_ATTRIBUTES;
        Sleep(50);
    }
    EXPECT_TRUE(ran);
    DeleteFileW(mark.c_str());

    std::wstring missing = BesideThisProgram(L"no_such_document.xyz");
    ASSERT_TRUE(MakeHyperlink(host.Static(), missing.c_str(), nullptr, nullptr, 0));
    EXPECT_FALSE(OpenHyperlink(host.Static()));
    EXPECT_FALSE(Record(host.Static())->dwFlags & HLF_VISITED);

    // No target and no text: the shell gets an empty name and refuses it.
    SetWindowTextW(host.Static(), L"");
    ASSERT_TRUE(MakeHyperlink(host.Static(), nullptr, nullptr, nullptr, 0));
    EXPECT_FALSE(OpenHyperlink(host.Static()));
    EXPECT_FALSE(Record(host.Static())->dwFlags & HLF_VISITED);
}

int g_globalAllocs = 0;
bool g_failGlobalAlloc = false;
void* g_originalGlobalAlloc = nullptr;

HGLOBAL WINAPI CountingGlobalAlloc(UINT flags, SIZE_T bytes)
{
    ++g_globalAllocs;
    if (g_failGlobalAlloc)
        return nullptr;
    return reinterpret_cast<decltype(&GlobalAlloc)>(g_originalGlobalAlloc)(flags, bytes);
}

TEST_F(Hyperlink, SecondCallUpdatesTheSameRecordAndResetsVisited)
{
    ImportHook alloc("kernel32.dll", "GlobalAlloc", reinterpret_cast<void*>(CountingGlobalAlloc));
    ASSERT_TRUE(alloc.Installed());
    g_originalGlobalAlloc = alloc.Original();
    g_globalAllocs = 0;
    g_failGlobalAlloc = false;
    ASSERT_TRUE(MakeHyperlink(Link(), kHomepageUrl, nullptr, nullptr, HLF_FOCUSABLE));
    EXPECT_EQ(g_globalAllocs, 1);
    ASSERT_TRUE(OpenHyperlink(Link()));
    HyperlinkData before = *Record(Link());
    HyperlinkData* record = Record(Link());
    ASSERT_TRUE(before.dwFlags & HLF_VISITED);

    const COLORREF linkColor = RGB(1, 2, 3), visitedColor = RGB(4, 5, 6);
    ASSERT_TRUE(MakeHyperlink(Link(), L"http://other.example.org/", &linkColor, &visitedColor, HLF_ALIGN_CENTER));
    EXPECT_EQ(g_globalAllocs, 1);
    EXPECT_EQ(Record(Link()), record);
    EXPECT_EQ(record->pfnPrevWndProc, before.pfnPrevWndProc);
    EXPECT_EQ(record->hCursor, before.hCursor);
    EXPECT_EQ(record->hUnderlineFont, before.hUnderlineFont);
    EXPECT_STREQ(record->szUrl, L"http://other.example.org/");
    EXPECT_EQ(record->crLink, linkColor);
    EXPECT_EQ(record->crVisited, visitedColor);
    EXPECT_EQ(record->dwFlags, static_cast<DWORD>(HLF_ALIGN_CENTER));
    EXPECT_EQ(GetWindowLongW(Link(), GWL_STYLE) & WS_TABSTOP, 0);

    ASSERT_TRUE(MakeHyperlink(Link(), nullptr, nullptr, nullptr, HLF_VISITED));
    EXPECT_TRUE(Visited());
    EXPECT_EQ(record->crLink, 0x00FF0000u);
}

TEST_F(Hyperlink, StaticStaysPlainWhenNoRecordCanBeHad)
{
    ImportHook alloc("kernel32.dll", "GlobalAlloc", reinterpret_cast<void*>(CountingGlobalAlloc));
    ASSERT_TRUE(alloc.Installed());
    g_originalGlobalAlloc = alloc.Original();
    g_failGlobalAlloc = true;
    LONG_PTR procedure = GetWindowLongPtrW(Link(), GWLP_WNDPROC);
    LONG style = GetWindowLongW(Link(), GWL_STYLE);
    EXPECT_FALSE(MakeHyperlink(Link(), kHomepageUrl, nullptr, nullptr, HLF_FOCUSABLE));
    g_failGlobalAlloc = false;
    EXPECT_EQ(GetWindowLongPtrW(Link(), GWLP_WNDPROC), procedure);
    EXPECT_EQ(GetWindowLongPtrW(Link(), GWLP_USERDATA), 0);
    EXPECT_EQ(GetWindowLongW(Link(), GWL_STYLE), style);
}

TEST_F(Hyperlink, SetTextResizesAnAutoSizedLinkAndReturnsTheStaticsResult)
{
    ASSERT_TRUE(MakeHyperlink(Link(), nullptr, nullptr, nullptr, HLF_FOCUSABLE | HLF_AUTOSIZE));
    host_.ClearPassed();
    const wchar_t longer[] = L"www.morvex.example.org/downloads";
    EXPECT_EQ(SendMessageW(Link(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longer)), TRUE);
    EXPECT_TRUE(host_.Passed(WM_SETTEXT));
    SIZE text = TextSize(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), longer);
    EXPECT_EQ(WindowSize(Link()).cx, text.cx + 2);
    EXPECT_EQ(WindowSize(Link()).cy, text.cy + 2);
}

TEST_F(Hyperlink, SetFontKeepsThePlainFontInTheStaticAndAnUnderlinedCopyInTheLink)
{
    ASSERT_TRUE(MakeHyperlink(Link(), nullptr, nullptr, nullptr, HLF_AUTOSIZE));
    HFONT first = Record(Link())->hUnderlineFont;
    host_.ClearPassed();
    EXPECT_EQ(SendMessageW(Link(), WM_SETFONT, 0, TRUE), 0);
    std::vector<SpiedMessage> passed = host_.PassedAmong({WM_SETFONT});
    ASSERT_EQ(passed.size(), 1u);
    EXPECT_EQ(passed[0].wParam, 0u);
    EXPECT_EQ(passed[0].lParam, 0);  // the static does not redraw with the plain font
    EXPECT_EQ(SendMessageW(Link(), WM_GETFONT, 0, 0), 0);
    EXPECT_EQ(GetObjectType(first), 0u);  // the previous copy is deleted

    LOGFONTW system = {}, underlined = {};
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof system, &system);
    ASSERT_NE(GetObjectW(Record(Link())->hUnderlineFont, sizeof underlined, &underlined), 0);
    EXPECT_TRUE(underlined.lfUnderline);
    EXPECT_STREQ(underlined.lfFaceName, system.lfFaceName);
    EXPECT_EQ(underlined.lfHeight, system.lfHeight);
    EXPECT_EQ(WindowSize(Link()).cx, TextSize(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)), L"morvex.example.org").cx);
}

TEST_F(Hyperlink, HandCursorAndClientHitTestOverTheWholeWindow)
{
    ASSERT_TRUE(MakeHyperlink(Link(), nullptr, nullptr, nullptr, 0));
    SetWindowPos(Link(), nullptr, 0, 0, 300, 40, SWP_NOMOVE | SWP_NOZORDER);
    RECT rect;
    GetWindowRect(Link(), &rect);
    for (POINT p : {POINT{rect.left, rect.top}, POINT{rect.right - 1, rect.bottom - 1}, POINT{rect.left + 280, rect.top + 2}})
        EXPECT_EQ(SendMessageW(Link(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCLIENT);
    host_.ClearPassed();
    SetCursor(nullptr);
    EXPECT_EQ(SendMessageW(Link(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Link()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    Record(Link())->hCursor = nullptr;
    SendMessageW(Link(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Link()), MAKELPARAM(HTNOWHERE, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_TRUE(host_.PassedAmong({WM_NCHITTEST, WM_SETCURSOR}).empty());
}

TEST_F(Hyperlink, FocusRectangleOnlyWhileFocusedAndFocusChangesAreConsumed)
{
    ASSERT_TRUE(MakeHyperlink(Link(), nullptr, nullptr, nullptr, HLF_FOCUSABLE));
    SIZE size = ClientSize(Link());
    auto topRowBackground = [&]() {
        MemoryCanvas canvas(size.cx, size.cy);
        SendMessageW(Link(), WM_PAINT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
        return canvas.CountInRow(0, GetSysColor(COLOR_BTNFACE));
    };
    SetFocus(host_.Window());
    EXPECT_EQ(topRowBackground(), size.cx);  // text starts one pixel down
    host_.ClearPassed();
    SetFocus(Link());
    ASSERT_EQ(GetFocus(), Link());
    EXPECT_LT(topRowBackground(), size.cx);
    SetFocus(host_.Window());
    EXPECT_FALSE(host_.Passed(WM_SETFOCUS));
    EXPECT_FALSE(host_.Passed(WM_KILLFOCUS));
}

std::vector<HGLOBAL> g_freed;
void* g_originalGlobalFree = nullptr;
int g_cursorsDestroyed = 0;

HGLOBAL WINAPI RecordingGlobalFree(HGLOBAL memory)
{
    g_freed.push_back(memory);
    return reinterpret_cast<decltype(&GlobalFree)>(g_originalGlobalFree)(memory);
}

BOOL WINAPI CountingDestroyCursor(HCURSOR)
{
    ++g_cursorsDestroyed;
    return TRUE;
}

TEST_F(Hyperlink, DestructionRestoresTheStaticAndFreesWhatTheLinkOwns)
{
    ASSERT_TRUE(MakeHyperlink(Link(), kHomepageUrl, nullptr, nullptr, HLF_FOCUSABLE | HLF_AUTOSIZE));
    HyperlinkData* record = Record(Link());
    HFONT font = record->hUnderlineFont;
    ImportHook free("kernel32.dll", "GlobalFree", reinterpret_cast<void*>(RecordingGlobalFree));
    ASSERT_TRUE(free.Installed());
    g_originalGlobalFree = free.Original();
    // The control call below makes this program import DestroyCursor, so that a call from the
    // link's code would pass through the hook too.
    ImportHook destroyCursor("user32.dll", "DestroyCursor", reinterpret_cast<void*>(CountingDestroyCursor));
    ASSERT_TRUE(destroyCursor.Installed());
    g_freed.clear();
    g_cursorsDestroyed = 0;

    host_.DestroyStatic();
    EXPECT_TRUE(host_.ReinstalledAtNcDestroy());
    EXPECT_EQ(g_freed, std::vector<HGLOBAL>{record});
    EXPECT_EQ(GetObjectType(font), 0u);
    EXPECT_EQ(g_cursorsDestroyed, 0);   // the hand cursor is the system's shared one
    DestroyCursor(nullptr);
    EXPECT_EQ(g_cursorsDestroyed, 1);   // the control: a call is seen
}

}  // namespace
