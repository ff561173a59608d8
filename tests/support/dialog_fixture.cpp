// The real main dialog, opened non-modally for tests.
#include "support/dialog_fixture.h"

#include <commctrl.h>
#include <dbt.h>

#include <gtest/gtest.h>

#include "core/app_globals.h"
#include "mainwindow/main_dialog.h"
#include "mainwindow/toolbars.h"
#include "res/resource.h"
#include "support/dialog_driver.h"

// The list answers for its UI state as on Windows, which hides focus cues in a dialog used with the
// mouse until the keyboard moves the focus; Wine keeps none and always shows them.
static LRESULT CALLBACK HideFocusCues(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    return message == WM_QUERYUISTATE ? UISF_HIDEFOCUS | UISF_HIDEACCEL
                                       : DefSubclassProc(window, message, wParam, lParam);
}

std::wstring Item(wchar_t letter)
{
    return std::wstring(L" ") + letter + L":";
}

std::wstring DeviceText(wchar_t letter)
{
    return std::wstring(1, letter) + L":";
}

void MainDialogTest::SetUp()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    settingsPath_ = path;
    settingsPath_ = settingsPath_.substr(0, settingsPath_.rfind(L'\\') + 1) + L"Morvex.ini";
    ForgetSettingsFile();
}

void MainDialogTest::ForgetSettingsFile() const
{
    // The profile functions cache files per process; the documented flush call drops the cache
    // so that every test starts from the file as it is on disk.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, settingsPath_.c_str());
    DeleteFileW(settingsPath_.c_str());
}

void MainDialogTest::TearDown()
{
    CloseDialog();
    ForgetSettingsFile();
    DriveLetterTest::TearDown();
}

HWND MainDialogTest::ShowOpenedDialog(int show)
{
    if (dialog_ != nullptr) {
        SetWindowSubclass(Control(IDC_DRIVE_LIST), HideFocusCues, 1, 0);
        ShowWindow(dialog_, show);
        UpdateWindow(dialog_);
        Pump();
    }
    return dialog_;
}

HWND MainDialogTest::OpenDialog(int show)
{
    dialog_ = CreateDialogParamW(g_hInstance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDlgProc, 0);
    return ShowOpenedDialog(show);
}

HWND MainDialogTest::OpenDialogInLanguage(LANGID language)
{
    HRSRC resource = FindResourceExW(g_hInstance, reinterpret_cast<LPCWSTR>(RT_DIALOG), MAKEINTRESOURCEW(IDD_MAIN),
                                     language);
    HGLOBAL loaded = resource != nullptr ? LoadResource(g_hInstance, resource) : nullptr;
    if (loaded == nullptr)
        return nullptr;
    auto* dialogTemplate = static_cast<const DLGTEMPLATE*>(LockResource(loaded));
    dialog_ = CreateDialogIndirectParamW(g_hInstance, dialogTemplate, nullptr, MainDlgProc, 0);
    return ShowOpenedDialog();
}

void MainDialogTest::CloseDialog()
{
    if (dialog_ != nullptr)
        DestroyWindow(dialog_);
    dialog_ = nullptr;
    g_hwndMain = nullptr;
    Pump();
}

void MainDialogTest::Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::vector<ListRow> MainDialogTest::Rows() const
{
    std::vector<ListRow> rows;
    HWND list = Control(IDC_DRIVE_LIST);
    int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = L"";
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        const auto* record = reinterpret_cast<const DriveRecord*>(item.lParam);
        wchar_t description[1100] = L"";
        ListView_GetItemText(list, i, 1, description, 1100);
        rows.push_back({text, record ? record->letter : L'\0', record ? record->directory : L"", record, description});
    }
    return rows;
}

std::vector<std::wstring> MainDialogTest::ComboItems() const
{
    std::vector<std::wstring> items;
    HWND combo = Control(IDC_LETTER_COMBO);
    int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[16] = L"";
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
        // The item data is the letter itself.
        if (SendMessageW(combo, CB_GETITEMDATA, i, 0) != text[1])
            items.back() += L"<bad item data>";
    }
    return items;
}

std::wstring MainDialogTest::ComboSelection() const
{
    HWND combo = Control(IDC_LETTER_COMBO);
    LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return L"";
    wchar_t text[16] = L"";
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring MainDialogTest::PathText() const
{
    wchar_t text[2048] = L"";
    GetWindowTextW(Control(IDC_PATH_EDIT), text, 2048);
    return text;
}

int MainDialogTest::SelectedRow() const
{
    return static_cast<int>(
        SendMessageW(Control(IDC_DRIVE_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void MainDialogTest::SelectRow(int row)
{
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Control(IDC_DRIVE_LIST), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    Pump();
}

void MainDialogTest::DeselectRows()
{
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    SendMessageW(Control(IDC_DRIVE_LIST), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    Pump();
}

void MainDialogTest::SendDeviceChange(WPARAM event)
{
    SendMessageW(dialog_, WM_DEVICECHANGE, event, 0);
    Pump();
}

void MainDialogTest::Click(int command)
{
    ClickToolbarButton(command == IDM_BROWSE ? g_hwndBrowseToolbar : g_hwndMainToolbar, command);
    Pump();
}

void MainDialogTest::Pick(wchar_t letter)
{
    PickComboItem(dialog_, IDC_LETTER_COMBO, Item(letter));
}

void MainDialogTest::SetPath(const std::wstring& path)
{
    SetDlgItemTextW(dialog_, IDC_PATH_EDIT, path.c_str());
}

int MainDialogTest::RowOf(wchar_t letter) const
{
    std::vector<ListRow> rows = Rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].recordLetter == letter)
            return static_cast<int>(i);
    }
    return -1;
}

wchar_t MainDialogTest::SelectedLetter() const
{
    int row = SelectedRow();
    return row >= 0 ? Rows()[row].recordLetter : 0;
}

void MainDialogTest::ExpectButtons(bool remove, bool save, bool create, const std::string& when) const
{
    EXPECT_EQ(ToolbarButtonEnabled(g_hwndMainToolbar, IDM_REMOVE), remove) << when;
    EXPECT_EQ(ToolbarButtonEnabled(g_hwndMainToolbar, IDM_SAVE), save) << when;
    EXPECT_EQ(ToolbarButtonEnabled(g_hwndMainToolbar, IDM_NEW), create) << when;
    EXPECT_TRUE(ToolbarButtonEnabled(g_hwndBrowseToolbar, IDM_BROWSE)) << when;
}

std::vector<std::wstring> MainDialogTest::CloseAndReadSavedLines()
{
    SendMessageW(Control(IDC_CLOSE), BM_CLICK, 0, 0);
    Pump();
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, settingsPath_.c_str());
    wchar_t section[4096] = {};
    GetPrivateProfileSectionW(L"Drives", section, 4096, settingsPath_.c_str());
    std::vector<std::wstring> lines;
    for (const wchar_t* line = section; *line != L'\0'; line += lstrlenW(line) + 1)
        lines.push_back(line);
    return lines;
}

void MainDialogTest::WriteSettings(const std::string& bytes) const
{
    HANDLE file = CreateFileW(settingsPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::vector<std::wstring> MainDialogTest::FreeLetterItems()
{
    std::vector<std::wstring> items;
    DWORD used = GetLogicalDrives();
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        if ((used & (1u << (letter - L'A'))) == 0)
            items.push_back(std::wstring(L" ") + letter + L":");
    }
    return items;
}

void MainDialogTest::SaveOntoARefusedLetter(WindowsLikeAnnouncements& system, FailedMove* move)
{
    ASSERT_TRUE(system.Installed());
    move->old = TakeFreeLetter();
    move->refused = TakeFreeLetter();
    move->dir = temp_.MakeFolder(L"old");
    ASSERT_TRUE(DefineRawTarget(move->old, L"\\??\\" + move->dir));
    ASSERT_NE(OpenDialog(), nullptr);
    SelectRow(0);
    Pick(move->refused);
    SetPath(temp_.MakeFolder(L"fresh"));
    system.RefuseDefinitionsOf(move->refused);
    boxes_.SetAnswer(IDOK);
    Click(IDM_SAVE);
    system.RefuseDefinitionsOf(0);
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, MessageText(IDS_DEFINE_FAILED, DeviceText(move->refused)));
    EXPECT_EQ(DeviceTarget(move->old), L"\\??\\" + move->dir);
}
