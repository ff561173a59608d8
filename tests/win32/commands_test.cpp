// The dialog's toolbars and commands, driven as the controls drive them.
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/app_globals.h"
#include "core/desktop_mirror.h"
#include "import_hook/import_hook.h"
#include "mainwindow/main_dialog.h"
#include "mainwindow/toolbars.h"
#include "persistence/settings_file.h"
#include "res/resource.h"
#include "support/message_box_interceptor.h"
#include "support/dialog_driver.h"
#include "support/desktop_scene.h"
#include "support/dialog_fixture.h"
#include "support/program_runner.h"
#include "support/run_value.h"
#include "support/settings_text.h"

namespace {

using CommandsTest = MainDialogTest;

TEST_F(CommandsTest, ToolbarsStandBesideComboAndPathBox)
{
    ASSERT_NE(OpenDialog(), nullptr);
    auto rectangleOf = [&](HWND window) {
        RECT rectangle = {};
        GetWindowRect(window, &rectangle);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rectangle), 2);
        return rectangle;
    };
    RECT list = rectangleOf(Control(IDC_DRIVE_LIST));
    RECT combo = rectangleOf(Control(IDC_LETTER_COMBO));
    RECT path = rectangleOf(Control(IDC_PATH_EDIT));
    RECT main = rectangleOf(g_hwndMainToolbar);
    RECT browse = rectangleOf(g_hwndBrowseToolbar);
    EXPECT_EQ(GetDlgCtrlID(g_hwndMainToolbar), IDC_MAIN_TOOLBAR);
    EXPECT_EQ(GetDlgCtrlID(g_hwndBrowseToolbar), IDC_BROWSE_TOOLBAR);
    EXPECT_EQ(main.left, list.left);
    EXPECT_EQ(main.top, combo.top);
    EXPECT_EQ(main.right - main.left, 84);
    EXPECT_EQ(main.bottom - main.top, 22);
    EXPECT_LE(main.right, combo.left);
    EXPECT_EQ(browse.left, list.right - 24);
    EXPECT_EQ(browse.top, combo.top);
    EXPECT_EQ(browse.right, list.right);
    EXPECT_GE(browse.left, path.right);
    EXPECT_EQ(SendMessageW(g_hwndMainToolbar, TB_BUTTONCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(g_hwndBrowseToolbar, TB_BUTTONCOUNT, 0, 0), 1);
    // Button texts are the tooltips; each toolbar has its own string pool. The tests run in
    // English; tests/e2e/languages.sh reads them in Chinese.
    wchar_t text[32] = L"";
    SendMessageW(g_hwndMainToolbar, TB_GETBUTTONTEXTW, IDM_NEW, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), L"New");
    SendMessageW(g_hwndBrowseToolbar, TB_GETBUTTONTEXTW, IDM_BROWSE, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), L"Browse");
}

TEST_F(CommandsTest, NewWithoutInputsDoesNothing)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"d");
    ASSERT_NE(OpenDialog(), nullptr);
    SetPath(dir);
    Click(IDM_NEW);   // no letter picked
    Pick(letter);
    SetPath(L"");
    Click(IDM_NEW);   // empty path box
    EXPECT_EQ(DeviceTarget(letter), L"");
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(CommandsTest, NewWithAFileReportsAndKeepsTheInputs)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring file = temp_.MakeFile(L"not a dir.txt", "x");
    ASSERT_NE(OpenDialog(), nullptr);
    Pick(letter);
    SetPath(file);
    boxes_.SetAnswer(IDOK);
    Click(IDM_NEW);
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, MessageText(IDS_INVALID_PATH, file));
    EXPECT_EQ(boxes_.Boxes()[0].owner, dialog_);
    EXPECT_EQ(ComboSelection(), Item(letter));
    EXPECT_EQ(PathText(), file);
    EXPECT_EQ(DeviceTarget(letter), L"");
}

TEST_F(CommandsTest, SaveWithTheSameLetterAndPathRecreatesInPlace)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"A Long Folder Name");
    wchar_t shortDir[MAX_PATH];
    ASSERT_NE(GetShortPathNameW(dir.c_str(), shortDir, MAX_PATH), 0u);
    ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\" + dir));
    ASSERT_NE(OpenDialog(), nullptr);
    SelectRow(0);
    SetPath(shortDir);
    Click(IDM_SAVE);
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(PathText(), dir + L"\\");   // the row's form: long, with the trailing backslash
    std::wstring target = L"\\??\\" + std::wstring(shortDir);
    target[4] = towupper(target[4]);
    EXPECT_EQ(DeviceTarget(letter), target);   // what the user typed, the short form
}

TEST_F(CommandsTest, SaveWithAFileLeavesTheDriveMapped)
{
    wchar_t letter = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"kept");
    std::wstring file = temp_.MakeFile(L"file.txt", "x");
    ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\" + dir));
    ASSERT_NE(OpenDialog(), nullptr);
    SelectRow(0);
    SetPath(file);
    boxes_.SetAnswer(IDOK);
    Click(IDM_SAVE);
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, MessageText(IDS_INVALID_PATH, file));
    EXPECT_EQ(DeviceTarget(letter), L"\\??\\" + dir);
}

TEST_F(CommandsTest, FailedSavePutsTheOldMappingBack)
{
    WindowsLikeAnnouncements wine;
    wine.AnnounceLikeWindows(false);
    FailedMove move;
    ASSERT_NO_FATAL_FAILURE(SaveOntoARefusedLetter(wine, &move));
    EXPECT_EQ(DeviceTarget(move.refused), L"");
    std::vector<ListRow> rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text, DeviceText(move.old));
    EXPECT_EQ(rows[0].recordLetter, move.old);
    EXPECT_EQ(rows[0].directory, move.dir + L"\\");
}

TEST_F(CommandsTest, RemoveLeavesADriveThatBecameForeign)
{
    wchar_t letter = TakeFreeLetter();
    ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\C:\\windows"));
    ASSERT_NE(OpenDialog(), nullptr);
    SelectRow(0);
    RemoveVirtualDefinitions(letter);
    ASSERT_TRUE(DefineRawTarget(letter, L"\\Device\\HarddiskVolume1"));
    Click(IDM_REMOVE);
    EXPECT_EQ(DeviceTarget(letter), L"\\Device\\HarddiskVolume1");
    EXPECT_EQ(Rows().size(), 1u);
    wchar_t name[3] = {letter, L':', 0};
    DefineDosDeviceW(DDD_REMOVE_DEFINITION, name, nullptr);
    EXPECT_TRUE(boxes_.Boxes().empty());
}

// Another program changes the letters between the list's last refresh and the user's command:
// the command follows what the system says, and the list catches up.
TEST_F(CommandsTest, CommandsFollowChangesMadeBehindTheDialogsBack)
{
    wchar_t gone = TakeFreeLetter(), repointed = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"mine");
    std::wstring theirs = temp_.MakeFolder(L"theirs");
    std::wstring fresh = temp_.MakeFolder(L"fresh");
    ASSERT_TRUE(DefineRawTarget(gone, L"\\??\\" + dir));
    ASSERT_TRUE(DefineRawTarget(repointed, L"\\??\\" + dir));
    ASSERT_NE(OpenDialog(), nullptr);

    RemoveVirtualDefinitions(gone);
    SelectRow(RowOf(gone));
    Click(IDM_REMOVE);   // already free: the removal succeeds and the row goes
    EXPECT_EQ(RowOf(gone), -1);
    EXPECT_EQ(DeviceTarget(gone), L"");

    RemoveVirtualDefinitions(repointed);
    ASSERT_TRUE(DefineRawTarget(repointed, L"\\??\\" + theirs));
    SelectRow(RowOf(repointed));
    SetPath(fresh);
    Click(IDM_SAVE);
    EXPECT_EQ(DeviceTarget(repointed), L"\\??\\" + fresh);
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows()[0].directory, fresh + L"\\");
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(CommandsTest, CheckBoxChangesTheRunValueAtOnce)
{
    RunValueGuard runValue;
    const std::string switchedOff("\x03\0\0\0\0\0\0\0\0\0\0\0", 12);
    runValue.SetStartupMark(switchedOff);
    ASSERT_NE(OpenDialog(), nullptr);
    SendMessageW(Control(IDC_AUTOSTART), BM_CLICK, 0, 0);
    EXPECT_TRUE(runValue.Exists());
    EXPECT_FALSE(runValue.StartupMarkExists());   // the tick asks for autostart now, over Windows' switch-off
    EXPECT_FALSE(FileExists(SettingsPath()));
    SendMessageW(Control(IDC_AUTOSTART), BM_CLICK, 0, 0);
    EXPECT_FALSE(runValue.Exists());
    // A save writes the box as it stands, but never takes back a switch-off by itself.
    runValue.SetStartupMark(switchedOff);
    CheckDlgButton(dialog_, IDC_AUTOSTART, BST_CHECKED);
    EXPECT_TRUE(SaveSettings());
    EXPECT_TRUE(runValue.Exists());
    EXPECT_TRUE(runValue.StartupMarkExists());
}

TEST_F(CommandsTest, CloseWritesTheSettingsFile)
{
    RunValueGuard runValue;
    wchar_t second = TakeFreeLetter(), first = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"saved");
    ASSERT_TRUE(DefineRawTarget(second, L"\\??\\" + dir));
    ASSERT_TRUE(DefineRawTarget(first, L"\\??\\C:"));
    ASSERT_NE(OpenDialog(), nullptr);
    SendMessageW(Control(IDC_AUTOSTART), BM_CLICK, 0, 0);
    SendMessageW(Control(IDC_CLOSE), BM_CLICK, 0, 0);
    Pump();
    EXPECT_FALSE(IsWindowVisible(dialog_));
    std::string bytes = ReadFileBytes(SettingsPath());
    ASSERT_GE(bytes.size(), 2u);
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    std::wstring expected = L"[General]\r\nAutoStart=True\r\n[Drives]\r\n" + std::wstring(1, first) + L"=C:\\\r\n" +
                            std::wstring(1, second) + L"=" + dir + L"\\\r\n";
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_EQ(text.find_first_not_of(L"\r\n", expected.size()), std::wstring::npos);
    EXPECT_TRUE(runValue.Exists());
}

// A settings file that cannot be written (another program holds it open without sharing write
// access, or a folder has its name) is reported, and the dialog still ends.
TEST_F(CommandsTest, CloseWithASettingsFileThatCannotBeWrittenReportsAndStillEnds)
{
    const std::string old = "[General]\r\nAutoStart=False\r\n";
    for (bool folder : {false, true}) {
        HANDLE lock = INVALID_HANDLE_VALUE;
        if (folder) {
            ASSERT_TRUE(CreateDirectoryW(SettingsPath().c_str(), nullptr));
        } else {
            WriteSettings(old);
            lock = CreateFileW(SettingsPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        }
        ASSERT_NE(OpenDialog(), nullptr);
        boxes_.Clear();
        boxes_.SetAnswer(IDOK);
        SendMessageW(Control(IDC_CLOSE), BM_CLICK, 0, 0);
        Pump();
        ASSERT_EQ(boxes_.Boxes().size(), 1u) << folder;
        EXPECT_EQ(boxes_.Boxes()[0].caption, MessageText(IDS_ERROR_CAPTION));
        EXPECT_EQ(boxes_.Boxes()[0].text, MessageText(IDS_SAVE_FAILED));
        EXPECT_FALSE(IsWindowVisible(dialog_)) << folder;
        CloseDialog();
        if (folder) {
            EXPECT_TRUE(RemoveDirectoryW(SettingsPath().c_str()));
        } else {
            CloseHandle(lock);
            EXPECT_EQ(ReadFileBytes(SettingsPath()), old);
            ForgetSettingsFile();
        }
    }
}

// The modal dialog as the program runs it: Close ends it with 1, the caption's close box with 0.
class MainDialogEnder : public DialogAnswerer {
public:
    explicit MainDialogEnder(bool closeButton) : closeButton_(closeButton) {}

private:
    bool Wants(HWND window) const override { return window == g_hwndMain; }
    void Answer(HWND window) override
    {
        if (closeButton_)
            PostMessageW(GetDlgItem(window, IDC_CLOSE), BM_CLICK, 0, 0);
        else
            PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }

    bool closeButton_;
};

TEST_F(CommandsTest, ModalDialogResults)
{
    {
        MainDialogEnder closeButton(true);
        EXPECT_EQ(DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDlgProc, 0), 1);
    }
    EXPECT_TRUE(FileExists(SettingsPath()));
    ASSERT_TRUE(DeleteFileW(SettingsPath().c_str()));
    ASSERT_FALSE(FileExists(SettingsPath()));
    {
        MainDialogEnder closeBox(false);
        EXPECT_EQ(DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDlgProc, 0), 0);
    }
    EXPECT_FALSE(FileExists(SettingsPath()));
    g_hwndMain = nullptr;
}

// The picker is asked to start at the path box's directory (or "C:\\" when the box is empty);
// what the user confirms comes back with one trailing backslash, and a cancel changes nothing.
TEST_F(CommandsTest, BrowseStartsAtThePathBoxAndAddsTheBackslash)
{
    std::wstring dir = temp_.MakeFolder(L"browse me");
    std::wstring chosen = temp_.MakeFolder(L"chosen");
    struct Case {
        std::wstring pathBox;
        std::wstring chosen;   // empty: the user cancels
        std::wstring expectedStart;
        std::wstring expectedPathBox;
    };
    const Case cases[] = {
        {dir, chosen, dir, chosen + L"\\"},
        {L"", L"C:\\", L"C:\\", L"C:\\"},   // a root keeps its one backslash
        {L"C:\\some text", L"", L"C:\\some text", L"C:\\some text"},
    };
    ASSERT_NE(OpenDialog(), nullptr);
    for (const Case& c : cases) {
        FolderPickerStandIn picker(c.chosen);
        ASSERT_TRUE(picker.Installed());
        SetPath(c.pathBox);
        Click(IDM_BROWSE);
        EXPECT_EQ(picker.Shown(), 1) << c.pathBox;
        EXPECT_EQ(picker.Owner(), dialog_);
        EXPECT_EQ(picker.Title(), L"Select a directory to be associated with a virtual drive.");
        EXPECT_EQ(picker.Flags(), static_cast<UINT>(BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_NEWDIALOGSTYLE));
        EXPECT_TRUE(picker.RootIsDesktop());
        EXPECT_EQ(picker.RequestedStart(), c.expectedStart);
        EXPECT_EQ(PathText(), c.expectedPathBox) << c.pathBox;
    }
    EXPECT_TRUE(boxes_.Boxes().empty());
}

// The shell's own picker opens over the dialog, and cancelling it leaves the path box alone.
TEST_F(CommandsTest, CancellingTheRealPickerKeepsThePathBox)
{
    ASSERT_NE(OpenDialog(), nullptr);
    FolderPickerCanceller picker;
    SetPath(L"C:\\windows");
    Click(IDM_BROWSE);
    EXPECT_EQ(picker.Shown(), 1);
    EXPECT_EQ(PathText(), L"C:\\windows");
}

// The Drives section of saved lines, and the lines themselves as Close writes them, in letter order.
std::wstring DrivesSection(const std::map<wchar_t, std::wstring>& saved, std::vector<std::wstring>* lines = nullptr)
{
    std::wstring section = L"[Drives]\r\n";
    for (const auto& line : saved) {
        section += line.first + (L"=" + line.second) + L"\r\n";
        if (lines != nullptr)
            lines->push_back(line.first + (L"=" + line.second));
    }
    return section;
}

// Saved drives keep their rows while their letter is not mapped: the folder is away, a device holds
// the letter, another program removed the drive, or the user declined to load them. Close writes
// them as saved and the mapped ones as the system has them; only what the user removed goes.
TEST_F(CommandsTest, CloseKeepsSavedDrivesThatAreNotConnected)
{
    wchar_t live = TakeFreeLetter(), away = TakeFreeLetter(), removed = TakeFreeLetter(), gone = TakeFreeLetter();
    wchar_t taken = TakeLetterHeldByDevice();
    const std::wstring dir = temp_.MakeFolder(L"live"), awayDir = temp_.Path() + L"\\away\\";
    std::map<wchar_t, std::wstring> saved = {
        {live, L"C:\\old\\"}, {away, awayDir}, {removed, awayDir}, {gone, dir + L"\\"}, {taken, dir + L"\\"}};
    WriteSettings(Utf16FileBytes(DrivesSection(saved)));
    ASSERT_TRUE(DefineRawTarget(live, L"\\??\\" + dir) && DefineRawTarget(gone, L"\\??\\" + dir));
    ASSERT_NE(OpenDialog(), nullptr);
    RemoveVirtualDefinitions(gone);
    SendDeviceChange(DBT_DEVICEREMOVECOMPLETE);
    std::map<wchar_t, DriveState> states = {{live, DriveState::Connected}, {away, DriveState::NotConnected},
        {removed, DriveState::NotConnected}, {gone, DriveState::NotConnected}, {taken, DriveState::LetterTaken}};
    ASSERT_EQ(Rows().size(), states.size());
    // A screen reader names a row by its letter and describes it by its directory and state.
    std::map<DriveState, std::wstring> said = {{DriveState::NotConnected, L", " + MessageText(IDS_STATE_NOT_CONNECTED)},
                                               {DriveState::LetterTaken, L", " + MessageText(IDS_STATE_LETTER_TAKEN)}};
    for (const ListRow& row : Rows()) {
        EXPECT_EQ(row.record->state, states[row.recordLetter]) << row.text;
        EXPECT_EQ(row.description, row.directory + said[row.record->state]) << row.text;
    }
    SelectRow(RowOf(removed));
    Click(IDM_REMOVE);
    saved.erase(removed);
    saved[live] = dir + L"\\";
    std::vector<std::wstring> lines;
    DrivesSection(saved, &lines);
    EXPECT_EQ(CloseAndReadSavedLines(), lines);
    EXPECT_TRUE(boxes_.Boxes().empty());   // a drive was mapped: nothing was offered
    // Nothing mapped: the offer comes, and declining it keeps every saved drive.
    CloseDialog();
    RemoveVirtualDefinitions(live);
    ASSERT_NE(OpenDialog(), nullptr);
    EXPECT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(CloseAndReadSavedLines(), lines);
}

// Selecting a saved drive that is not connected fills the letter and the path box; Save or New maps
// it on the letter picked, and Remove forgets it without touching the system.
TEST_F(CommandsTest, CommandsOnASavedDriveThatIsNotConnected)
{
    const std::pair<int, bool> cases[] = {{IDM_SAVE, false}, {IDM_SAVE, true}, {IDM_NEW, false}, {IDM_REMOVE, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << " " << c.second);
        wchar_t saved = TakeFreeLetter(), other = TakeFreeLetter(), mapped = c.second ? other : saved;
        const std::wstring awayDir = temp_.Path() + L"\\away\\", dir = temp_.MakeFolder(L"here") + L"\\";
        std::vector<std::wstring> lines;
        WriteSettings(Utf16FileBytes(DrivesSection({{saved, awayDir}})));
        ASSERT_NE(OpenDialog(), nullptr);
        SelectRow(RowOf(saved));
        EXPECT_EQ(PathText() + ComboSelection(), awayDir + Item(saved));
        Pick(mapped);
        SetPath(dir);
        Click(c.first);
        EXPECT_EQ(DeviceTarget(mapped), c.first == IDM_REMOVE ? L"" : VirtualTarget(dir));
        std::map<wchar_t, std::wstring> kept;
        if (c.first != IDM_REMOVE)
            kept[mapped] = dir;
        DrivesSection(kept, &lines);
        EXPECT_EQ(CloseAndReadSavedLines(), lines);
        CloseDialog();
        RemoveVirtualDefinitions(mapped);
    }
}

std::wstring g_opened, g_menu;
int g_beeps = 0;

BOOL WINAPI CountBeep(UINT)
{
    return ++g_beeps;
}

// The shell accepts the first open and refuses the next (SE_ERR_FNF).
HINSTANCE WINAPI RecordOpen(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, INT)
{
    g_opened += std::wstring(verb) + L" " + file + L"|";
    return reinterpret_cast<HINSTANCE>(g_opened.size() > 10 ? 2 : 42);
}

// The user at a menu: notes its items and picks the first.
BOOL WINAPI PickFirstItem(HMENU menu, UINT flags, int, int, int, HWND, const RECT*)
{
    wchar_t text[32];
    for (int i = 0; GetMenuStringW(menu, i, text, 32, MF_BYPOSITION) > 0; ++i)
        g_menu += text + std::wstring(L"|");
    return (flags & TPM_RETURNCMD) ? GetMenuItemID(menu, 0) : FALSE;
}

// A connected drive opens at its root by a double-click or its menu's Open, with a beep where the
// shell refuses; one that is not connected opens neither way, and its menu offers Remove only.
TEST_F(CommandsTest, DoubleClickAndMenuOpenAConnectedDrive)
{
    ImportHook shell("shell32.dll", "ShellExecuteW", reinterpret_cast<void*>(RecordOpen));
    ImportHook menu("user32.dll", "TrackPopupMenu", reinterpret_cast<void*>(PickFirstItem));
    ImportHook beep("user32.dll", "MessageBeep", reinterpret_cast<void*>(CountBeep));
    g_beeps = 0;
    wchar_t live = TakeFreeLetter(), saved = TakeFreeLetter();
    WriteSettings(Utf16FileBytes(DrivesSection({{saved, L"C:\\away\\"}})));
    ASSERT_TRUE(shell.Installed() && menu.Installed() && DefineRawTarget(live, L"\\??\\C:\\windows"));
    ASSERT_NE(OpenDialog(), nullptr);
    HWND list = Control(IDC_DRIVE_LIST);
    for (wchar_t letter : {live, saved}) {
        RECT row = {LVIR_BOUNDS, 0, 0, 0};
        SendMessageW(list, LVM_GETITEMRECT, RowOf(letter), reinterpret_cast<LPARAM>(&row));
        const LPARAM point = MAKELPARAM(row.left + 60, row.top + 10);
        SelectRow(RowOf(letter));
        SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
        // The list selects the row under a right click and asks for its menu.
        PostMessageW(list, WM_RBUTTONUP, 0, point);
        SendMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, point);
    }
    const std::wstring open = L"open " + std::wstring(1, live) + L":\\|";
    EXPECT_EQ(g_opened, open + open);
    EXPECT_EQ(g_beeps, 1);   // the shell refused the second
    EXPECT_EQ(g_menu, L"Open|Remove|Remove|");
    EXPECT_EQ(RowOf(saved), -1);
}

// What the shell hands over: the paths, each ended by a NUL, and one more NUL, behind a DROPFILES.
void Drop(HWND dialog, const std::wstring& paths)
{
    auto* drop = static_cast<DROPFILES*>(GlobalAlloc(GPTR, sizeof(DROPFILES) + (paths.size() + 2) * sizeof(wchar_t)));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    CopyMemory(drop + 1, paths.c_str(), paths.size() * sizeof(wchar_t));
    SendMessageW(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

// One folder dropped onto the dialog fills the path box and, when no letter is picked, picks the
// highest letter that is free and no saved drive's; a file or two folders only beep.
TEST_F(CommandsTest, DroppedFolderFillsThePathBoxAndPicksAFreeLetter)
{
    ImportHook beep("user32.dll", "MessageBeep", reinterpret_cast<void*>(CountBeep));
    wchar_t saved = TakeFreeLetter(), highest = TakeFreeLetter(), picked = TakeFreeLetter();
    const std::wstring dir = temp_.MakeFolder(L"dropped"), file = temp_.MakeFile(L"file.txt", "x");
    WriteSettings(Utf16FileBytes(DrivesSection({{saved, dir + L"\\"}})));
    ASSERT_NE(OpenDialog(), nullptr);
    EXPECT_NE(GetWindowLongW(dialog_, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    g_beeps = 0;
    Drop(dialog_, file);
    Drop(dialog_, dir + L'\0' + dir);
    EXPECT_EQ(PathText() + ComboSelection(), L"");
    EXPECT_EQ(g_beeps, 2);
    Drop(dialog_, dir);
    EXPECT_EQ(PathText() + ComboSelection(), dir + L"\\" + Item(highest));
    Pick(picked);
    Drop(dialog_, temp_.Path());
    EXPECT_EQ(PathText() + ComboSelection(), temp_.Path() + L"\\" + Item(picked));
    EXPECT_EQ(g_beeps, 2);
}

// An elevated dialog beside the desktop's session says so in its caption, and makes each new, moved
// and removed drive there too, by Morvex's own quiet one-shot; anywhere else nothing is started.
TEST_F(CommandsTest, ElevatedDialogMakesItsChangesOnTheDesktopToo)
{
    const std::wstring dir = temp_.MakeFolder(L"\x8d44\x6599 dir") + L"\\", moved = temp_.MakeFolder(L"moved");
    const std::pair<SessionFacts, bool> sessions[] = {   // shell read, same user, same session, elevated
        {{true, true, true, true}, false},  {{true, true, false, true}, true}, {{true, true, false, false}, false},
        {{true, false, false, true}, false}, {{false, true, false, true}, false}};
    for (const auto& [facts, mirrors] : sessions) {
        DesktopScene scene(facts);
        ASSERT_NE(OpenDialog(), nullptr);
        wchar_t caption[64] = L"";
        GetWindowTextW(dialog_, caption, 64);
        EXPECT_EQ(caption, MessageText(mirrors ? IDS_ADMINISTRATOR_CAPTION : IDS_TEXT_CAPTION));
        const std::wstring letter = DeviceText(TakeFreeLetter()), other = DeviceText(TakeFreeLetter());
        Pick(letter[0]), SetPath(dir), Click(IDM_NEW);
        SelectRow(RowOf(letter[0])), Pick(other[0]), SetPath(moved), Click(IDM_SAVE);
        SelectRow(RowOf(other[0])), Click(IDM_REMOVE);
        std::vector<std::vector<std::wstring>> runs;
        if (mirrors)
            runs = {{L"/q", letter, dir}, {L"/q", L"/d", letter}, {L"/q", other, moved}, {L"/q", L"/d", other}};
        EXPECT_EQ(scene.Runs(), runs) << mirrors;
        EXPECT_TRUE(boxes_.Boxes().empty());
        CloseDialog();
    }
}

std::wstring g_standIn;
DWORD WINAPI StandInPath(HMODULE, wchar_t* path, DWORD capacity)
{
    lstrcpynW(path, g_standIn.c_str(), static_cast<int>(capacity));
    return static_cast<DWORD>(g_standIn.size());
}

// A run on the desktop that fails or does not end in time is reported once, naming the letter; the
// drive stays made here. Where the shell's token starts nothing, the desktop's own shell starts it.
TEST_F(CommandsTest, FailedDesktopRunsAreReportedAndTheShellStartsWhatTheTokenCannot)
{
    DesktopScene scene({true, true, false, true});
    ASSERT_NE(OpenDialog(), nullptr);
    boxes_.SetAnswer(IDOK);
    g_dwDesktopRunWait = 200;
    // The shell would start this test program: it starts one that leaves a mark beside itself.
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    g_standIn = std::wstring(self).substr(0, std::wstring(self).rfind(L'\\')) + L"\\quiet_program.exe";
    for (long exitCode : {1L, long(STILL_ACTIVE), -1L}) {
        std::optional<ImportHook> standIn;
        if (exitCode < 0)
            standIn.emplace("kernel32.dll", "GetModuleFileNameW", reinterpret_cast<void*>(&StandInPath));
        scene.SetExitCode(exitCode);
        boxes_.Clear();
        const wchar_t letter = TakeFreeLetter();
        Pick(letter), SetPath(temp_.Path()), Click(IDM_NEW);
        EXPECT_EQ(DeviceTarget(letter), L"\\??\\" + temp_.Path());
        EXPECT_EQ(boxes_.Texts(), std::vector<std::wstring>(exitCode > 0, MessageText(IDS_DESKTOP_DEFINE_FAILED,
                                                                                       DeviceText(letter))));
    }
    bool ran = false;
    for (int waited = 0; waited < 200 && !(ran = DeleteFileW((g_standIn + L".ran").c_str()) != FALSE); ++waited)
        Sleep(50);
    EXPECT_TRUE(ran) << "the desktop's shell did not start the run";
    g_dwDesktopRunWait = 10000;
}

std::vector<std::wstring> g_elevations;
BOOL WINAPI RecordElevation(SHELLEXECUTEINFOW* run)
{
    const bool saved = GetFileAttributesW(g_standIn.c_str()) != INVALID_FILE_ATTRIBUTES;
    g_elevations.push_back(std::wstring(run->lpVerb) + L" " + run->lpParameters + (saved ? L" after the save" : L""));
    SetLastError(g_elevations.size() == 1 ? ERROR_CANCELLED : ERROR_ACCESS_DENIED);
    return FALSE;
}

// An administrator under UAC gets one more button, which saves the list as Close does and then asks
// for consent to a log-on run as administrator. A declined consent changes nothing and says nothing.
TEST_F(CommandsTest, ForAdministratorProgramsSavesThenAsksForConsent)
{
    DesktopScene scene({true, true, true, false}, kElevationTypeLimited);
    ASSERT_NE(OpenDialog(), nullptr);
    EXPECT_EQ(SendMessageW(g_hwndMainToolbar, TB_BUTTONCOUNT, 0, 0), 4);
    ImportHook elevate("shell32.dll", "ShellExecuteExW", reinterpret_cast<void*>(&RecordElevation));
    g_standIn = SettingsPath();
    g_elevations.clear();
    boxes_.SetAnswer(IDOK);
    for (size_t reported : {0u, 1u}) {
        ForgetSettingsFile();
        Click(IDM_FOR_ADMINISTRATORS);
        EXPECT_EQ(g_elevations.back(), L"runas /startup /q after the save");
        EXPECT_EQ(boxes_.Texts(), std::vector<std::wstring>(reported, MessageText(IDS_ELEVATION_FAILED)));
    }
}

}  // namespace
