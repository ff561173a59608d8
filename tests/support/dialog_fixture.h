// A fixture that opens the real main dialog (non-modally, from this test program's resources)
// and reads its controls back. The settings file beside this test program is the dialog's own;
// the fixture removes it before and after each test.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "mainwindow/dialog_rules.h"
#include "support/drive_letter_fixture.h"
#include "support/message_box_interceptor.h"
#include "support/temp_folder.h"
#include "support/windows_announcements.h"

// A letter as the combo shows it, " X:", and as a row's text, "X:".
std::wstring Item(wchar_t letter);
std::wstring DeviceText(wchar_t letter);

// The drive that a failed move leaves behind: its letter and its folder.
struct FailedMove {
    wchar_t old;
    wchar_t refused;
    std::wstring dir;
};

struct ListRow {
    std::wstring text;        // item text, "X:"
    wchar_t recordLetter;        // the record's letter, 0 without record
    std::wstring directory;      // the record's directory
    const DriveRecord* record;   // null without record
    std::wstring description;    // column 1's text, which screen readers read after the item text
};

class MainDialogTest : public DriveLetterTest {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND OpenDialog(int show = SW_SHOW);
    // The dialog made from the template of one language, whatever the user's UI language.
    HWND OpenDialogInLanguage(LANGID language);
    void CloseDialog();
    // Shows the dialog just created, as the list would be seen by a mouse user on Windows.
    HWND ShowOpenedDialog(int show = SW_SHOW);
    // Handles what is waiting in this thread's queue.
    static void Pump();

    HWND Control(int id) const { return GetDlgItem(dialog_, id); }
    std::vector<ListRow> Rows() const;
    std::vector<std::wstring> ComboItems() const;
    std::wstring ComboSelection() const;   // "" when nothing is selected
    std::wstring PathText() const;
    int SelectedRow() const;
    void SelectRow(int row);
    void DeselectRows();
    void SendDeviceChange(WPARAM event);
    // The user's hand: a toolbar button clicked, a letter picked in the combo, a path typed.
    void Click(int command);
    void Pick(wchar_t letter);
    void SetPath(const std::wstring& path);
    // The row of the letter's record, -1 when none; the selected row's letter, 0 when none.
    int RowOf(wchar_t letter) const;
    wchar_t SelectedLetter() const;
    // Which of the toolbar's Remove, Save and New are enabled; Browse always is.
    void ExpectButtons(bool remove, bool save, bool create, const std::string& when) const;

    // The failed move: a drive on a folder of its own is selected, another letter picked and
    // another folder typed, and Save meets a system that refuses to define that letter; the box
    // is answered with OK. Checks the box and that the old mapping is back.
    void SaveOntoARefusedLetter(WindowsLikeAnnouncements& system, FailedMove* move);

    // Presses Close and reads back the lines it saved in the Drives section.
    std::vector<std::wstring> CloseAndReadSavedLines();

    std::wstring SettingsPath() const { return settingsPath_; }
    void WriteSettings(const std::string& bytes) const;
    void ForgetSettingsFile() const;

    // Each free letter as the combo shows it, " X:".
    static std::vector<std::wstring> FreeLetterItems();

    MessageBoxInterceptor boxes_{IDNO};
    TempFolder temp_;
    HWND dialog_ = nullptr;

private:
    std::wstring settingsPath_;
};
