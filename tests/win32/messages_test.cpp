// The error box and the yes/no question, shown for real and answered by the interceptor.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/app_globals.h"
#include "core/messages.h"
#include "core/standard_output.h"
#include "import_hook/import_hook.h"
#include "res/resource.h"
#include "support/message_box_interceptor.h"
#include "support/program_runner.h"
#include "support/temp_folder.h"

namespace {

// Users and their scripts read these; the English texts stay as they are, to the byte.
TEST(Messages, TextsComeFromTheStringTableUnchanged)
{
    const struct {
        UINT id;
        const wchar_t* text;
    } texts[] = {
        {IDS_ERROR_CAPTION, L"Morvex Error"},
        {IDS_QUESTION_CAPTION, L"Morvex Confirmation"},
        {IDS_INVALID_PATH, L"Invalid path: %s"},
        {IDS_DEFINE_FAILED, L"Failed to define virtual drive %s"},
        {IDS_SAVE_FAILED, L"Failed to save settings to Morvex.ini.\r\nCheck your access rights."},
        {IDS_LOAD_QUESTION, L"Would you like to load a list of previously saved virtual drives?"},
        {IDS_ROW_TITLE, L"Virtual Drive %c:"},
        {IDS_BROWSE_TITLE, L"Select a directory to be associated with a virtual drive."},
        {IDS_ADMINISTRATOR_CAPTION, L"Morvex (Administrator)"},
        {IDS_DESKTOP_DEFINE_FAILED, L"%s was made for programs run as administrator, but not for the desktop."},
    };
    for (const auto& t : texts) {
        wchar_t loaded[256] = L"";
        LoadStringW(g_hInstance, t.id, loaded, 256);
        EXPECT_STREQ(loaded, t.text) << t.id;
    }
}

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR languages)
{
    reinterpret_cast<std::set<WORD>*>(languages)->insert(language);
    return TRUE;
}

// Which of the 16 texts of a string block are there in one language, a '1' for each.
std::string TextsPresent(HMODULE module, UINT block, LANGID language)
{
    HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(block), language);
    auto* text = static_cast<const WCHAR*>(LockResource(LoadResource(module, found)));
    std::string present;
    for (int i = 0; text != nullptr && i < 16; ++i, text += 1 + *text)
        present += *text != 0 ? '1' : '0';
    return present;
}

// Every text of the shipped program is in English and in Chinese, and none is in a block of no
// language, which Wine finds before the user's own.
TEST(Messages, EveryTextIsInEnglishAndInChinese)
{
    HMODULE program = LoadLibraryExW(MorvexExecutable().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    const WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    const WORD chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    int blocks = 0;
    for (UINT block = 1; block <= 4096; ++block) {
        std::set<WORD> languages;
        if (!EnumResourceLanguagesW(program, RT_STRING, MAKEINTRESOURCEW(block), AddLanguage,
                                    reinterpret_cast<LONG_PTR>(&languages)))
            continue;
        ++blocks;
        EXPECT_EQ(languages, (std::set<WORD>{english, chinese})) << "texts from " << (block - 1) * 16;
        EXPECT_EQ(TextsPresent(program, block, chinese), TextsPresent(program, block, english)) << (block - 1) * 16;
    }
    EXPECT_GE(blocks, 2);
    FreeLibrary(program);
}

TEST(Messages, ErrorFormatsWideArgumentsWithItsCaption)
{
    MessageBoxInterceptor boxes;
    ShowError(IDS_INVALID_PATH, L"D:\\\x8d44\x6599");
    ShowError(IDS_SAVE_FAILED);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].caption, L"Morvex Error");
    EXPECT_EQ(boxes.Boxes()[0].text, L"Invalid path: D:\\\x8d44\x6599");
    EXPECT_EQ(boxes.Boxes()[0].owner, nullptr);
    EXPECT_EQ(boxes.Boxes()[1].text, L"Failed to save settings to Morvex.ini.\r\nCheck your access rights.");
}

TEST(Messages, LongTextsAreCutAt1023Units)
{
    MessageBoxInterceptor boxes;
    for (size_t length : {1008u, 1009u, 1010u, 3000u}) {
        boxes.Clear();
        std::wstring path(length, L'p');
        ShowError(IDS_INVALID_PATH, path.c_str());
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        std::wstring expected = (L"Invalid path: " + path).substr(0, 1023);
        EXPECT_EQ(boxes.Boxes()[0].text, expected) << length;
    }
}

TEST(Messages, QuestionIsTrueOnlyForYes)
{
    MessageBoxInterceptor boxes(IDYES);
    EXPECT_TRUE(AskYesNo(MB_ICONQUESTION, IDS_LOAD_QUESTION));
    boxes.SetAnswer(IDNO);
    EXPECT_FALSE(AskYesNo(MB_ICONQUESTION, IDS_LOAD_QUESTION));
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].caption, L"Morvex Confirmation");
    EXPECT_EQ(boxes.Boxes()[0].text, L"Would you like to load a list of previously saved virtual drives?");
}

TEST(Messages, BoxesBelongToTheMainDialogWhenItExists)
{
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    g_hwndMain = owner;
    MessageBoxInterceptor boxes(IDNO);
    ShowError(IDS_SAVE_FAILED);
    AskYesNo(MB_ICONQUESTION, IDS_LOAD_QUESTION);
    g_hwndMain = nullptr;
    DestroyWindow(owner);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].owner, owner);
    EXPECT_EQ(boxes.Boxes()[1].owner, owner);
}

// Standard handles as Windows gives them to a GUI program (Wine always hands down its own): a file
// that a script redirected them to, a console's, or none, with a parent's console to attach to.
enum class Handed { Nothing, File, Console };
struct ConsoleScene {
    Handed handed;
    BOOL attaches;   // FALSE where the parent has no console, and where one is attached already
    bool opens;      // CONOUT$
    bool writes;     // the console takes the text
};
ConsoleScene g_scene;
HANDLE g_redirected = nullptr, g_console = nullptr;
std::wstring g_onConsole;
int g_attaches = 0;
decltype(&CreateFileW) g_realOpen = nullptr;
decltype(&GetProcAddress) g_realBind = nullptr;

HANDLE WINAPI HandedDown(DWORD)
{
    return g_scene.handed == Handed::File ? g_redirected : g_scene.handed == Handed::Console ? g_console : nullptr;
}

BOOL WINAPI AttachToParent(DWORD)
{
    ++g_attaches;
    SetLastError(ERROR_ACCESS_DENIED);
    return g_scene.attaches;
}

// Bound at run time: Windows 2000, which the program runs on, has no AttachConsole.
FARPROC WINAPI BindAttach(HMODULE library, LPCSTR name)
{
    if (reinterpret_cast<ULONG_PTR>(name) > 0xFFFF && lstrcmpA(name, "AttachConsole") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&AttachToParent));
    return g_realBind(library, name);
}

HANDLE WINAPI OpenConsole(LPCWSTR path, DWORD access, DWORD sharing, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                          DWORD flags, HANDLE model)
{
    if (lstrcmpW(path, L"CONOUT$") != 0)
        return g_realOpen(path, access, sharing, security, disposition, flags, model);
    SetLastError(ERROR_INVALID_HANDLE);
    return g_scene.opens ? CreateEventW(nullptr, FALSE, FALSE, nullptr) : INVALID_HANDLE_VALUE;
}

// Windows refuses console writes to any other handle.
BOOL WINAPI WriteToConsole(HANDLE handle, const VOID* text, DWORD length, LPDWORD written, LPVOID)
{
    SetLastError(ERROR_INVALID_HANDLE);
    if (handle == g_redirected || !g_scene.writes)
        return FALSE;
    g_onConsole.append(static_cast<const wchar_t*>(text), length);
    *written = length;
    return TRUE;
}

TEST(StandardOutput, RedirectedInUtf8ElseOnTheConsoleHandedDownOrAttached)
{
    ImportHook handles("kernel32.dll", "GetStdHandle", reinterpret_cast<void*>(&HandedDown));
    ImportHook bind("kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(&BindAttach));
    ImportHook open("kernel32.dll", "CreateFileW", reinterpret_cast<void*>(&OpenConsole));
    ImportHook write("kernel32.dll", "WriteConsoleW", reinterpret_cast<void*>(&WriteToConsole));
    ASSERT_TRUE(handles.Installed() && bind.Installed() && open.Installed() && write.Installed());
    g_realOpen = reinterpret_cast<decltype(&CreateFileW)>(open.Original());
    g_realBind = reinterpret_cast<decltype(&GetProcAddress)>(bind.Original());
    g_console = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    TempFolder temp;
    const std::wstring file = temp.Path() + L"\\out.txt", line = L"X:\\: => D:\\\x8d44\x6599";
    const struct {
        ConsoleScene scene;
        bool written, onConsole, inFile;
    } cases[] = {
        {{Handed::File, TRUE, true, true}, true, false, true},       {{Handed::Console, TRUE, true, true}, true, true, false},
        {{Handed::Nothing, TRUE, true, true}, true, true, false},    {{Handed::Nothing, FALSE, true, true}, true, true, false},
        {{Handed::Nothing, FALSE, false, true}, false, false, false}, {{Handed::Nothing, TRUE, true, false}, false, false, false},
    };
    for (const auto& c : cases) {
        g_scene = c.scene;
        g_onConsole.clear();
        g_attaches = 0;
        g_redirected = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        EXPECT_EQ(WriteStandardLine(StandardStream::Error, line.c_str()), c.written);
        CloseHandle(g_redirected);
        EXPECT_EQ(g_onConsole, c.onConsole ? line + L"\r\n" : L"");
        EXPECT_EQ(ReadFileBytes(file), c.inFile ? "X:\\: => D:\\\xE8\xB5\x84\xE6\x96\x99\r\n" : "");
        EXPECT_EQ(g_attaches, c.scene.handed == Handed::Nothing ? 1 : 0);
    }
    CloseHandle(g_console);
}

}  // namespace
