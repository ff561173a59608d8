// The dialog stays true to the system however drive changes are announced: from inside the
// definition (Windows), never (Wine, or another program's change), or while one of the
// dialog's own boxes is open.
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "import_hook/import_hook.h"
#include "mainwindow/dialog_rules.h"
#include "mainwindow/toolbars.h"
#include "res/resource.h"
#include "support/dialog_driver.h"
#include "support/dialog_fixture.h"
#include "support/windows_announcements.h"

namespace {

class AnnouncementsTest : public MainDialogTest {
protected:
    // Without the stand-in every "announced" case would run the Wine way and pass unseen.
    void SetUp() override
    {
        MainDialogTest::SetUp();
        ASSERT_TRUE(announcements_.Installed());
    }

    // A loop over cases runs each one on a fresh dialog, settings file and set of letters.
    void StartOver()
    {
        CloseDialog();
        DriveLetterTest::TearDown();
        taken_.clear();
        ForgetSettingsFile();
        boxes_.Clear();
    }

    // No row selected, empty inputs and the toolbar to match; no box on the way.
    void ExpectSelectionAndInputsCleared(const std::string& when) const
    {
        EXPECT_EQ(SelectedRow(), -1) << when;
        EXPECT_EQ(PathText(), L"") << when;
        EXPECT_EQ(ComboSelection(), L"") << when;
        ExpectButtons(false, false, true, when);
        EXPECT_TRUE(boxes_.Boxes().empty()) << when;
    }

    // One row per virtual drive of the session, in letter order, with the system's directory.
    std::vector<std::wstring> ExpectListMirrorsSystem(const std::string& when)
    {
        std::vector<std::wstring> system, listed;
        for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
            std::wstring target = DeviceTarget(letter);
            if (target.rfind(L"\\??\\", 0) == 0)
                system.push_back(std::wstring(1, letter) + L"=" + target.substr(4) + L"\\");
        }
        for (const ListRow& row : Rows()) {
            EXPECT_EQ(row.text, std::wstring(1, row.recordLetter) + L":") << when;
            listed.push_back(std::wstring(1, row.recordLetter) + L"=" + row.directory);
        }
        EXPECT_EQ(listed, system) << when;
        return listed;
    }

    // And Close writes exactly those rows.
    void ExpectListMirrorsSystemAndCloseSavesIt(const std::string& when)
    {
        std::vector<std::wstring> listed = ExpectListMirrorsSystem(when);
        EXPECT_EQ(CloseAndReadSavedLines(), listed) << when;
    }

    WindowsLikeAnnouncements announcements_;
};

// Remove drops only the selected drive and selects the row that takes its place: the next one,
// else the new last one.
TEST_F(AnnouncementsTest, RemoveSelectsTheRowThatTakesItsPlace)
{
    for (bool announced : {true, false}) {
        const std::string name = announced ? "announced" : "silent";
        announcements_.AnnounceLikeWindows(announced);
        wchar_t c = TakeFreeLetter(), b = TakeFreeLetter(), a = TakeFreeLetter();   // a < b < c
        for (wchar_t letter : {a, b, c})
            ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\C:\\windows"));
        ASSERT_NE(OpenDialog(), nullptr);
        SelectRow(RowOf(b));
        const int announcedBefore = announcements_.Announced();
        Click(IDM_REMOVE);
        EXPECT_EQ(announcements_.Announced() > announcedBefore, announced) << name;
        EXPECT_EQ(DeviceTarget(b), L"") << name;
        EXPECT_EQ(SelectedLetter(), c) << name;
        EXPECT_EQ(PathText(), L"C:\\windows\\") << name;
        ExpectButtons(true, true, false, name + ", next row selected");
        ExpectListMirrorsSystem(name + ", after the middle row's Remove");
        Click(IDM_REMOVE);
        EXPECT_EQ(SelectedLetter(), a) << name;
        Click(IDM_REMOVE);
        ExpectSelectionAndInputsCleared(name + ", list emptied");
        ExpectListMirrorsSystemAndCloseSavesIt(name + ", list emptied");
        StartOver();
    }
}

// Save re-points the selected row's drive, under its letter or another one, and its row stays
// selected; without an announcement nothing rebuilds the list, so it is the same row and record.
TEST_F(AnnouncementsTest, SaveLeavesOneSelectedRowForTheDrive)
{
    const struct {
        bool announced, moveLetter;
    } cases[] = {{true, false}, {true, true}, {false, true}};
    for (const auto& c : cases) {
        const std::string name = std::string(c.announced ? "announced, " : "silent, ") +
                                 (c.moveLetter ? "moved letter" : "same letter");
        announcements_.AnnounceLikeWindows(c.announced);
        wchar_t other = TakeFreeLetter(), old = TakeFreeLetter(), moved = TakeFreeLetter();   // moved < old < other
        std::wstring dir = temp_.MakeFolder(L"saved " + std::wstring(1, old));
        ASSERT_TRUE(DefineRawTarget(old, L"\\??\\C:\\windows"));
        ASSERT_TRUE(DefineRawTarget(other, L"\\??\\C:\\windows"));
        ASSERT_NE(OpenDialog(), nullptr);
        SelectRow(RowOf(old));
        const DriveRecord* record = Rows()[RowOf(old)].record;
        wchar_t target = c.moveLetter ? moved : old;
        Pick(target);
        SetPath(dir);
        Click(IDM_SAVE);
        EXPECT_EQ(DeviceTarget(target), L"\\??\\" + dir) << name;
        if (c.moveLetter) {
            EXPECT_EQ(DeviceTarget(old), L"") << name;
        }
        ASSERT_EQ(SelectedLetter(), target) << name;
        if (!c.announced) {
            EXPECT_EQ(Rows()[SelectedRow()].record, record) << name;
        }
        EXPECT_EQ(ComboSelection(), Item(target)) << name;
        EXPECT_EQ(PathText(), dir + L"\\") << name;
        ExpectButtons(true, true, false, name);
        ExpectListMirrorsSystemAndCloseSavesIt(name);
        StartOver();
    }
}

// The refusal's box runs a message loop: the refresh that comes in it, or the one announced by
// the removal before it, must leave the user's drive listed and selected.
TEST_F(AnnouncementsTest, FailedMoveKeepsTheOldDriveSelected)
{
    for (bool refreshDuringTheBox : {false, true}) {
        const std::string name = refreshDuringTheBox ? "refresh while the box is open" : "announced";
        announcements_.AnnounceLikeWindows(!refreshDuringTheBox);
        int rowsDuringTheBox = -1;
        if (refreshDuringTheBox) {
            boxes_.WhileOpen([&] {
                SendMessageW(dialog_, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
                rowsDuringTheBox = static_cast<int>(Rows().size());
            });
        }
        FailedMove move;
        ASSERT_NO_FATAL_FAILURE(SaveOntoARefusedLetter(announcements_, &move)) << name;
        boxes_.WhileOpen(nullptr);
        if (refreshDuringTheBox) {
            EXPECT_EQ(rowsDuringTheBox, 0);   // the old mapping was already gone then
        }
        EXPECT_EQ(SelectedLetter(), move.old) << name;
        ExpectListMirrorsSystemAndCloseSavesIt(name);
        StartOver();
    }
}

TEST_F(AnnouncementsTest, NewAddsOneRowAndClearsTheSelectionAndTheInputs)
{
    for (bool announced : {true, false}) {
        const std::string name = announced ? "announced" : "silent";
        announcements_.AnnounceLikeWindows(announced);
        wchar_t existing = TakeFreeLetter(), letter = TakeFreeLetter();   // the new row sorts first
        std::wstring dir = temp_.MakeFolder(L"new");
        ASSERT_TRUE(DefineRawTarget(existing, L"\\??\\C:\\windows"));
        ASSERT_NE(OpenDialog(), nullptr);
        SelectRow(0);
        Pick(letter);
        SetPath(dir);
        Click(IDM_NEW);
        EXPECT_EQ(DeviceTarget(letter), L"\\??\\" + dir) << name;
        ExpectSelectionAndInputsCleared(name + ", after New");
        ExpectListMirrorsSystemAndCloseSavesIt(name + ", after New");
        StartOver();
    }
}

// Loading at start must list what it defined whether or not that is announced: otherwise the
// next Close rewrites the file from an empty list and the saved drives are lost.
TEST_F(AnnouncementsTest, LoadedDrivesAreListedAndKept)
{
    for (bool announced : {true, false}) {
        const std::string name = announced ? "announced" : "silent";
        announcements_.AnnounceLikeWindows(announced);
        wchar_t saved = TakeFreeLetter();
        std::wstring dir = temp_.MakeFolder(L"saved");
        WriteSettings("[Drives]\r\n" + std::string(1, static_cast<char>(saved)) + "=" +
                      std::string(dir.begin(), dir.end()) + "\\\r\n");
        boxes_.SetAnswer(IDYES);
        ASSERT_NE(OpenDialog(), nullptr);
        ASSERT_EQ(boxes_.Boxes().size(), 1u) << name;
        EXPECT_EQ(DeviceTarget(saved), L"\\??\\" + dir) << name;
        EXPECT_EQ(RowOf(saved), 0) << name;
        std::vector<std::wstring> combo = ComboItems();
        EXPECT_EQ(std::count(combo.begin(), combo.end(), Item(saved)), 0) << name;
        ExpectListMirrorsSystemAndCloseSavesIt(name);
        StartOver();
    }
}

// A row left behind by a silent removal elsewhere must not give its letter a second row.
TEST_F(AnnouncementsTest, SaveOntoTheLetterOfAStaleRowLeavesOneRow)
{
    announcements_.AnnounceLikeWindows(false);
    wchar_t stale = TakeFreeLetter(), mine = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"mine");
    ASSERT_TRUE(DefineRawTarget(stale, L"\\??\\C:\\windows"));
    ASSERT_TRUE(DefineRawTarget(mine, L"\\??\\" + dir));
    ASSERT_NE(OpenDialog(), nullptr);
    RemoveVirtualDefinitions(stale);
    SelectRow(RowOf(mine));   // the combo is rebuilt and offers the freed letter
    Pick(stale);
    Click(IDM_SAVE);
    EXPECT_EQ(DeviceTarget(stale), L"\\??\\" + dir);
    EXPECT_EQ(SelectedLetter(), stale);
    ExpectListMirrorsSystemAndCloseSavesIt("after the move onto the stale row's letter");
}

// Messages that change the list or the combo, counted on their way in.
int g_changes = 0;
WNDPROC g_listProcedure = nullptr, g_comboProcedure = nullptr;

LRESULT CALLBACK CountListChanges(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_changes += message == LVM_SETITEMW || message == LVM_INSERTITEMW || message == LVM_DELETEITEM ||
                 message == LVM_SETCOLUMNW;
    return CallWindowProcW(g_listProcedure, list, message, wParam, lParam);
}

LRESULT CALLBACK CountComboChanges(HWND combo, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_changes += message == CB_ADDSTRING || message == CB_DELETESTRING || message == CB_SETCURSEL;
    return CallWindowProcW(g_comboProcedure, combo, message, wParam, lParam);
}

WNDPROC Subclass(HWND window, WNDPROC procedure)
{
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

// Coming back to the dialog shows what another program changed without an announcement; when
// nothing changed, no row is set again and nothing is drawn.
TEST_F(AnnouncementsTest, ActivationRefreshesTheList)
{
    announcements_.AnnounceLikeWindows(false);
    wchar_t letter = TakeFreeLetter();
    ASSERT_NE(OpenDialog(), nullptr);
    ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\C:\\windows"));
    SendMessageW(dialog_, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    EXPECT_EQ(RowOf(letter), -1);
    SendMessageW(dialog_, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
    EXPECT_EQ(RowOf(letter), 0);
    std::vector<std::wstring> combo = ComboItems();
    EXPECT_EQ(std::count(combo.begin(), combo.end(), Item(letter)), 0);
    SelectRow(0);
    RedrawWindow(dialog_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    g_listProcedure = Subclass(Control(IDC_DRIVE_LIST), CountListChanges);
    g_comboProcedure = Subclass(Control(IDC_LETTER_COMBO), CountComboChanges);
    g_changes = 0;
    SendMessageW(dialog_, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
    Subclass(Control(IDC_DRIVE_LIST), g_listProcedure);
    Subclass(Control(IDC_LETTER_COMBO), g_comboProcedure);
    EXPECT_EQ(g_changes, 0);
    EXPECT_FALSE(GetUpdateRect(Control(IDC_DRIVE_LIST), nullptr, FALSE));
    EXPECT_EQ(ComboSelection(), Item(letter));
    RemoveVirtualDefinitions(letter);
    SendMessageW(dialog_, WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 0), 0);
    EXPECT_TRUE(Rows().empty());
}

// Only a change of selection resets the inputs; focus and the hidden check box do not. The
// toolbar follows the selection and the pick of another letter (the button rules themselves are
// tested in tests/pure).
TEST_F(AnnouncementsTest, FocusOrCheckBoxChangesKeepWhatTheUserEntered)
{
    wchar_t letter = TakeFreeLetter(), other = TakeFreeLetter();
    ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\C:\\windows"));
    ASSERT_NE(OpenDialog(), nullptr);
    SelectRow(0);
    Pick(other);
    SetPath(L"C:\\typed");
    LVITEMW item = {};
    item.stateMask = LVIS_FOCUSED;
    item.state = 0;
    SendMessageW(Control(IDC_DRIVE_LIST), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(Control(IDC_DRIVE_LIST), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    Pump();
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(ComboSelection(), Item(other));
    EXPECT_EQ(PathText(), L"C:\\typed");
    ExpectButtons(true, true, true, "another letter picked for the selected row");
}

// Every record the list allocates is freed: by refreshes, by Remove and when the dialog goes.
std::set<HGLOBAL> g_liveRecords;
int g_recordAllocations = 0;
decltype(&GlobalAlloc) g_realGlobalAlloc = nullptr;
decltype(&GlobalFree) g_realGlobalFree = nullptr;

HGLOBAL WINAPI CountingGlobalAlloc(UINT flags, SIZE_T bytes)
{
    HGLOBAL block = g_realGlobalAlloc(flags, bytes);
    if (block != nullptr && bytes == sizeof(DriveRecord)) {
        g_liveRecords.insert(block);
        ++g_recordAllocations;
    }
    return block;
}

HGLOBAL WINAPI CountingGlobalFree(HGLOBAL block)
{
    g_liveRecords.erase(block);
    return g_realGlobalFree(block);
}

TEST_F(AnnouncementsTest, RecordsAreFreedByRefreshRemoveAndDestruction)
{
    ImportHook alloc("kernel32.dll", "GlobalAlloc", reinterpret_cast<void*>(&CountingGlobalAlloc));
    ImportHook release("kernel32.dll", "GlobalFree", reinterpret_cast<void*>(&CountingGlobalFree));
    ASSERT_TRUE(alloc.Installed() && release.Installed());
    g_realGlobalAlloc = reinterpret_cast<decltype(&GlobalAlloc)>(alloc.Original());
    g_realGlobalFree = reinterpret_cast<decltype(&GlobalFree)>(release.Original());
    g_liveRecords.clear();
    g_recordAllocations = 0;

    wchar_t c = TakeFreeLetter(), b = TakeFreeLetter(), a = TakeFreeLetter();
    for (wchar_t letter : {a, b, c})
        ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\C:\\windows"));
    ASSERT_NE(OpenDialog(), nullptr);
    EXPECT_EQ(g_liveRecords.size(), 3u);
    RemoveVirtualDefinitions(a);   // announced: the refresh drops the row
    EXPECT_EQ(g_liveRecords.size(), 2u);
    SelectRow(RowOf(b));
    Click(IDM_REMOVE);
    EXPECT_EQ(g_liveRecords.size(), 1u);
    CloseDialog();
    EXPECT_TRUE(g_liveRecords.empty());
    EXPECT_GE(g_recordAllocations, 3);
}

}  // namespace
