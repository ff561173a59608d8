// The real main dialog: its template, the rows that mirror the system, the letter picker,
// the device-change refresh, the settings loaded at start and how it ends.
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/hyperlink.h"
#include "import_hook/import_hook.h"
#include "mainwindow/drive_list.h"
#include "mainwindow/row_geometry.h"
#include "mainwindow/toolbars.h"
#include "res/resource.h"
#include "support/dialog_fixture.h"
#include "support/memory_canvas.h"
#include "support/message_box_interceptor.h"
#include "support/settings_text.h"

namespace {

bool Contains(const std::vector<std::wstring>& items, const std::wstring& item)
{
    return std::find(items.begin(), items.end(), item) != items.end();
}

std::wstring Text(HWND window)
{
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

struct TemplateLanguage {
    const char* name;
    LANGID id;
    const wchar_t* intro;
    const wchar_t* autoStart;
    const wchar_t* close;
    const wchar_t* font;
};

const TemplateLanguage kTemplateLanguages[] = {
    {"English", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
     L"Make the folders you use often into virtual drives for quick access.",
     L"Apply the virtual drives when Windows starts", L"Close", L"MS Shell Dlg 2"},
    {"Chinese", MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED),
     L"\x5c06\x7ecf\x5e38\x8bbf\x95ee\x7684\x76ee\x5f55\x521b\x5efa\x4e3a\x865a\x62df\x9a71\x52a8\x5668."
     L"\x65b9\x4fbf\x60a8\x5feb\x901f\x8bbf\x95ee!",
     L"Windows \x542f\x52a8\x65f6\x5e94\x7528\x865a\x62df\x9a71\x52a8\x5668", L"\x5173\x95ed", L"\x5b8b\x4f53"},
};

// Identifier, class and style of every control, in template order: the same in every language.
std::vector<std::wstring> ControlOutline(HWND dialog)
{
    std::vector<std::wstring> outline;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[64] = L"";
        GetClassNameW(child, className, 64);
        outline.push_back(std::to_wstring(GetDlgCtrlID(child)) + L" " + className + L" " +
                          std::to_wstring(GetWindowLongW(child, GWL_STYLE)));
    }
    return outline;
}

RECT RectIn(HWND dialog, HWND control)
{
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Width of the control's own text in its own font.
int TextWidth(HWND control)
{
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT rect = {0, 0, 0, 0};
    DrawTextW(dc, Text(control).c_str(), -1, &rect, DT_SINGLELINE | DT_CALCRECT);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return rect.right;
}

TEST_F(MainDialogTest, TemplatesOfBothLanguagesHaveTheSameControlsAndTheirOwnTexts)
{
    std::vector<std::wstring> outlines[2];
    for (size_t i = 0; i < 2; ++i) {
        const TemplateLanguage& language = kTemplateLanguages[i];
        ASSERT_NE(OpenDialogInLanguage(language.id), nullptr) << language.name;
        HWND intro = GetWindow(dialog_, GW_CHILD);
        EXPECT_EQ(Text(dialog_), L"Morvex");
        EXPECT_EQ(Text(intro), language.intro) << language.name;
        EXPECT_EQ(Text(Control(IDC_AUTOSTART)), language.autoStart) << language.name;
        EXPECT_EQ(Text(Control(IDC_CLOSE)), language.close) << language.name;
        EXPECT_EQ(Text(Control(IDC_HOMEPAGE_LINK)), L"www.example.org");
        LOGFONTW font = {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_STREQ(font.lfFaceName, language.font) << language.name;
        outlines[i] = ControlOutline(dialog_);

        // Nothing is clipped at 96 DPI: the texts fit their controls, and the link stands right
        // of the intro line inside the dialog.
        RECT client = {};
        GetClientRect(dialog_, &client);
        const int checkBoxMark = GetSystemMetrics(SM_CXMENUCHECK) + 4;
        EXPECT_LE(TextWidth(intro), RectIn(dialog_, intro).right - RectIn(dialog_, intro).left) << language.name;
        RECT autoStart = RectIn(dialog_, Control(IDC_AUTOSTART));
        EXPECT_LE(TextWidth(Control(IDC_AUTOSTART)) + checkBoxMark, autoStart.right - autoStart.left) << language.name;
        RECT close = RectIn(dialog_, Control(IDC_CLOSE));
        EXPECT_LE(TextWidth(Control(IDC_CLOSE)) + 8, close.right - close.left) << language.name;
        EXPECT_LE(autoStart.right, close.left) << language.name;
        RECT link = RectIn(dialog_, Control(IDC_HOMEPAGE_LINK));
        EXPECT_LE(link.right, client.right) << language.name;
        EXPECT_GE(link.top, 0) << language.name;
        EXPECT_GE(link.left, RectIn(dialog_, intro).left + TextWidth(intro)) << language.name;
        RECT toolbar = RectIn(dialog_, g_hwndMainToolbar);
        EXPECT_LE(toolbar.right, RectIn(dialog_, Control(IDC_LETTER_COMBO)).left) << language.name;
        EXPECT_LE(toolbar.bottom, client.bottom) << language.name;
        // Both text lines of a row stay inside the row in this language's fonts.
        const int listHeight = FontHeight(reinterpret_cast<HFONT>(SendMessageW(Control(IDC_DRIVE_LIST), WM_GETFONT, 0, 0)));
        const int boldHeight = FontHeight(g_hBoldFont);
        RowGeometry row = ComputeRowGeometry({0, 0, 400, 44}, listHeight, boldHeight);
        EXPECT_GE(row.gap, 0) << language.name;
        EXPECT_LE(row.directory.top + listHeight, row.inner.bottom) << language.name;
        CloseDialog();
    }
    EXPECT_EQ(outlines[0], outlines[1]);
}

TEST_F(MainDialogTest, ListIsConfiguredForOwnerDrawnRows)
{
    ASSERT_NE(OpenDialog(), nullptr);
    LONG style = GetWindowLongW(Control(IDC_DRIVE_LIST), GWL_STYLE);
    // The dialog manager draws a bordered control of a 3-D dialog with a client edge instead.
    EXPECT_TRUE((style & WS_BORDER) || (GetWindowLongW(Control(IDC_DRIVE_LIST), GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
    const LONG listStyle = WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                           LVS_SORTASCENDING | LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER;
    EXPECT_EQ(style & listStyle, listStyle);
    EXPECT_EQ(GetWindowLongW(Control(IDC_LETTER_COMBO), GWL_STYLE) & (CBS_DROPDOWNLIST | CBS_SORT),
              CBS_DROPDOWNLIST | CBS_SORT);
    // Tab order, in reading order: list, main toolbar, combo, path box, Browse toolbar.
    std::vector<int> order;
    HWND control = GetNextDlgTabItem(dialog_, Control(IDC_DRIVE_LIST), FALSE);
    for (int i = 0; i < 4 && control != nullptr; ++i, control = GetNextDlgTabItem(dialog_, control, FALSE))
        order.push_back(GetDlgCtrlID(control));
    std::vector<int> expected = {IDC_MAIN_TOOLBAR, IDC_LETTER_COMBO, IDC_PATH_EDIT, IDC_BROWSE_TOOLBAR};
    EXPECT_EQ(order, expected);
    // The rows take their height from the 44-pixel image list.
    EXPECT_EQ(ListView_GetExtendedListViewStyle(Control(IDC_DRIVE_LIST)),
              static_cast<DWORD>(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_UNDERLINEHOT | LVS_EX_LABELTIP));
    EXPECT_EQ(SendMessageW(Control(IDC_DRIVE_LIST), LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(RGB(255, 255, 255)));
    HWND link = Control(IDC_HOMEPAGE_LINK);
    EXPECT_EQ(GetWindowLongPtrW(link, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(HyperlinkWndProc));
    EXPECT_NE(GetWindowLongW(link, GWL_STYLE) & WS_TABSTOP, 0);
}

TEST_F(MainDialogTest, ListsTheVirtualDrivesInLetterOrder)
{
    wchar_t late = TakeFreeLetter();    // letters come from the end of the alphabet
    wchar_t early = TakeFreeLetter();
    wchar_t root = TakeFreeLetter();
    std::wstring longDir = temp_.MakeFolder(L"A Long Folder Name");
    wchar_t shortDir[MAX_PATH];
    ASSERT_NE(GetShortPathNameW(longDir.c_str(), shortDir, MAX_PATH), 0u);
    std::wstring lower = temp_.MakeFolder(L"plain");
    lower[0] = towlower(lower[0]);
    ASSERT_TRUE(DefineRawTarget(late, L"\\??\\" + std::wstring(shortDir)));
    ASSERT_TRUE(DefineRawTarget(early, L"\\??\\" + lower));
    ASSERT_TRUE(DefineRawTarget(root, L"\\??\\C:"));
    ASSERT_NE(OpenDialog(), nullptr);

    std::vector<ListRow> rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].text, DeviceText(root));
    EXPECT_EQ(rows[0].directory, L"C:\\");
    EXPECT_EQ(rows[1].text, DeviceText(early));
    EXPECT_EQ(rows[1].directory, L"C" + lower.substr(1) + L"\\");
    EXPECT_EQ(rows[2].text, DeviceText(late));
    EXPECT_EQ(rows[2].directory, longDir + L"\\");
    for (const ListRow& row : rows)
        EXPECT_EQ(row.recordLetter, row.text[0]);
}

// More rows than the list shows: the column leaves room for the vertical scroll bar, so that no
// horizontal one appears.
TEST_F(MainDialogTest, ColumnFitsBesideTheScrollBar)
{
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(DefineRawTarget(TakeFreeLetter(), L"\\??\\C:\\windows"));
    ASSERT_NE(OpenDialog(), nullptr);
    HWND list = Control(IDC_DRIVE_LIST);
    RECT client = {};
    GetClientRect(list, &client);
    EXPECT_NE(GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL, 0);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), client.right - 1);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), 0);   // the descriptions' column is never shown
}

TEST_F(MainDialogTest, ComboOffersExactlyTheFreeLetters)
{
    wchar_t letter = TakeFreeLetter();
    ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\C:\\windows"));
    ASSERT_NE(OpenDialog(), nullptr);
    std::vector<std::wstring> items = ComboItems();
    EXPECT_EQ(items, FreeLetterItems());
    EXPECT_FALSE(Contains(items, Item(letter)));
    EXPECT_FALSE(Contains(items, Item(L'C')));
    EXPECT_FALSE(Contains(items, Item(L'Z')));
    EXPECT_EQ(ComboSelection(), L"");
}

TEST_F(MainDialogTest, SelectionFillsPathBoxAndKeepsTheDrivesOwnLetter)
{
    wchar_t first = TakeFreeLetter();
    wchar_t second = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"selected");
    ASSERT_TRUE(DefineRawTarget(first, L"\\??\\" + dir));
    ASSERT_TRUE(DefineRawTarget(second, L"\\??\\C:\\windows"));
    ASSERT_NE(OpenDialog(), nullptr);
    ASSERT_EQ(Rows().size(), 2u);
    SelectRow(1);   // `first` sorts after `second`
    EXPECT_EQ(PathText(), dir + L"\\");
    EXPECT_EQ(ComboSelection(), Item(first));
    EXPECT_TRUE(Contains(ComboItems(), Item(first)));
    EXPECT_FALSE(Contains(ComboItems(), Item(second)));

    SelectRow(0);
    EXPECT_EQ(PathText(), L"C:\\windows\\");
    EXPECT_EQ(ComboSelection(), Item(second));
    EXPECT_FALSE(Contains(ComboItems(), Item(first)));

    DeselectRows();
    EXPECT_EQ(PathText(), L"");
    EXPECT_EQ(ComboSelection(), L"");
    EXPECT_EQ(ComboItems(), FreeLetterItems());
}

TEST_F(MainDialogTest, DeviceChangeBringsListAndComboInLine)
{
    wchar_t kept = TakeFreeLetter(), vanishing = TakeFreeLetter(), changing = TakeFreeLetter();
    wchar_t arriving = TakeFreeLetter(), picked = TakeFreeLetter();
    std::wstring one = temp_.MakeFolder(L"one");
    std::wstring two = temp_.MakeFolder(L"two");
    ASSERT_TRUE(DefineRawTarget(kept, L"\\??\\" + one));
    ASSERT_TRUE(DefineRawTarget(vanishing, L"\\??\\" + one));
    ASSERT_TRUE(DefineRawTarget(changing, L"\\??\\" + one));
    ASSERT_NE(OpenDialog(), nullptr);
    ASSERT_EQ(Rows().size(), 3u);

    RemoveVirtualDefinitions(vanishing);
    RemoveVirtualDefinitions(changing);
    ASSERT_TRUE(DefineRawTarget(changing, L"\\??\\" + two));
    ASSERT_TRUE(DefineRawTarget(arriving, L"\\??\\" + two));
    // Events other than arrival and removal change nothing.
    SendDeviceChange(DBT_DEVNODES_CHANGED);
    SendDeviceChange(DBT_DEVICEQUERYREMOVE);
    EXPECT_EQ(Rows().size(), 3u);

    SendDeviceChange(DBT_DEVICEARRIVAL);
    std::vector<ListRow> rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    std::vector<std::wstring> texts;
    for (const ListRow& row : rows)
        texts.push_back(row.text);
    std::vector<std::wstring> expected = {DeviceText(arriving), DeviceText(changing), DeviceText(kept)};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(texts, expected);
    for (const ListRow& row : rows) {
        if (row.text == DeviceText(changing) || row.text == DeviceText(arriving)) {
            EXPECT_EQ(row.directory, two + L"\\");
        }
    }
    EXPECT_EQ(ComboItems(), FreeLetterItems());
    EXPECT_TRUE(Contains(ComboItems(), Item(vanishing)));
    EXPECT_FALSE(Contains(ComboItems(), Item(arriving)));

    // The selected drive keeps its letter, and a still-free pick of the user survives.
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].text == DeviceText(kept))
            SelectRow(static_cast<int>(i));
    }
    HWND combo = Control(IDC_LETTER_COMBO);
    SendMessageW(combo, CB_SETCURSEL, SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                    reinterpret_cast<LPARAM>(Item(picked).c_str())), 0);
    ASSERT_EQ(ComboSelection(), Item(picked));
    SendDeviceChange(DBT_DEVICEREMOVECOMPLETE);
    EXPECT_EQ(ComboSelection(), Item(picked));
    EXPECT_TRUE(Contains(ComboItems(), Item(kept)));

    // A pick that became a drive behind the dialog's back is gone with the refresh.
    ASSERT_TRUE(DefineRawTarget(picked, L"\\??\\" + one));
    SendDeviceChange(DBT_DEVICEARRIVAL);
    EXPECT_FALSE(Contains(ComboItems(), Item(picked)));
    EXPECT_EQ(ComboSelection(), L"");
}

// Started minimised ("Run minimised"), the dialog is first seen at its first restore, which may
// come with or without an activation: the list is read again then.
TEST_F(MainDialogTest, MinimisedStartReadsTheListAtTheFirstRestore)
{
    for (int show : {SW_SHOWMINNOACTIVE, SW_SHOWMINIMIZED}) {
        wchar_t letter = TakeFreeLetter();
        ASSERT_NE(OpenDialog(show), nullptr);
        ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\C:\\windows"));
        SendMessageW(dialog_, WM_SYSCOMMAND, SC_RESTORE, 0);
        Pump();
        EXPECT_GE(RowOf(letter), 0) << show;
        CloseDialog();
    }
}

TEST_F(MainDialogTest, RemovingTheOnlySelectedRowLeavesEverythingEmpty)
{
    wchar_t letter = TakeFreeLetter();
    ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\C:\\windows"));
    ASSERT_NE(OpenDialog(), nullptr);
    SelectRow(0);
    ASSERT_EQ(PathText(), L"C:\\windows\\");
    RemoveVirtualDefinitions(letter);
    SendDeviceChange(DBT_DEVICEREMOVECOMPLETE);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(PathText(), L"");
    EXPECT_EQ(ComboSelection(), L"");
    EXPECT_EQ(SelectedRow(), -1);
}

int g_completions = 0;

HRESULT WINAPI CountCompletion(HWND, DWORD flags)
{
    g_completions += flags == SHACF_FILESYS_DIRS;
    return S_OK;
}

// The dialog starts without the shell's completion; the path box gets it once, with its first focus.
TEST_F(MainDialogTest, PathCompletionComesWithTheFirstFocusOfThePathBox)
{
    ImportHook hook("shlwapi.dll", "SHAutoComplete", reinterpret_cast<void*>(&CountCompletion));
    ASSERT_TRUE(hook.Installed());
    g_completions = 0;
    ASSERT_NE(OpenDialog(), nullptr);
    EXPECT_EQ(g_completions, 0);
    for (int id : {IDC_PATH_EDIT, IDC_DRIVE_LIST, IDC_PATH_EDIT})
        SetFocus(Control(id));
    EXPECT_EQ(g_completions, 1);
}

DWORD WINAPI UnreadableQuery(LPCWSTR, LPWSTR, DWORD)
{
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
}

// A letter the system cannot read out (Windows' answer for a target too long for the buffer) is
// not known to be gone: its row stays, Remove leaves it, and Close saves its line.
TEST_F(MainDialogTest, LetterThatCannotBeReadKeepsItsRowAndSavedLine)
{
    wchar_t letter = TakeFreeLetter();
    ASSERT_TRUE(DefineRawTarget(letter, L"\\??\\C:\\windows"));
    ASSERT_NE(OpenDialog(), nullptr);
    SelectRow(RowOf(letter));
    {
        ImportHook hook("kernel32.dll", "QueryDosDeviceW", reinterpret_cast<void*>(&UnreadableQuery));
        ASSERT_TRUE(hook.Installed());
        SendDeviceChange(DBT_DEVICEARRIVAL);
        Click(IDM_REMOVE);
        SendMessageW(Control(IDC_CLOSE), BM_CLICK, 0, 0);
        Pump();
    }
    EXPECT_EQ(DeviceTarget(letter), L"\\??\\C:\\windows");
    ASSERT_GE(RowOf(letter), 0);
    EXPECT_EQ(Rows()[RowOf(letter)].directory, L"C:\\windows\\");
    EXPECT_NE(ReadFileBytes(SettingsPath()).find(Utf16FileBytes(std::wstring(1, letter) + L"=C:\\windows\\\r\n", false)),
              std::string::npos);
}

TEST_F(MainDialogTest, OffersSavedDrivesOnlyWhenTheListIsEmpty)
{
    wchar_t saved = TakeFreeLetter();
    std::wstring dir = temp_.MakeFolder(L"saved");
    std::string file = "[Drives]\r\n" + std::string(1, static_cast<char>(saved)) + "=" +
                       std::string(dir.begin(), dir.end()) + "\\\r\n";
    WriteSettings(file);

    boxes_.SetAnswer(IDNO);
    ASSERT_NE(OpenDialog(), nullptr);
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, MessageText(IDS_LOAD_QUESTION));
    EXPECT_EQ(boxes_.Boxes()[0].owner, dialog_);
    EXPECT_EQ(DeviceTarget(saved), L"");
    EXPECT_EQ(ReadFileBytes(SettingsPath()), file);
    CloseDialog();

    boxes_.Clear();
    boxes_.SetAnswer(IDYES);
    ASSERT_NE(OpenDialog(), nullptr);
    EXPECT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(DeviceTarget(saved), L"\\??\\" + dir);
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows()[0].directory, dir + L"\\");
    CloseDialog();

    boxes_.Clear();
    ASSERT_NE(OpenDialog(), nullptr);   // a drive exists now: nothing is asked
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(MainDialogTest, CaptionCloseEndsWithoutSavingAndEnterEscDoNothing)
{
    std::string file = "[General]\r\nAutoStart=True\r\n[Drives]\r\n";
    WriteSettings(file);
    ASSERT_NE(OpenDialog(), nullptr);
    CheckDlgButton(dialog_, IDC_AUTOSTART, BST_UNCHECKED);
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        SetFocus(Control(IDC_PATH_EDIT));
        SendMessageW(Control(IDC_PATH_EDIT), WM_KEYDOWN, key, 0);
        MSG message = {dialog_, WM_KEYDOWN, key, 0, 0, {0, 0}};
        message.hwnd = Control(IDC_PATH_EDIT);
        IsDialogMessageW(dialog_, &message);
        SendMessageW(dialog_, WM_COMMAND, key == VK_RETURN ? IDOK : IDCANCEL, 0);
        Pump();
        EXPECT_TRUE(IsWindowVisible(dialog_)) << key;
    }
    SendMessageW(dialog_, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_FALSE(IsWindowVisible(dialog_));
    EXPECT_EQ(ReadFileBytes(SettingsPath()), file);
}

}  // namespace
