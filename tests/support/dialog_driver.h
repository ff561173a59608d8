// Drives the controls of the main dialog the way the user's input reaches them.
#pragma once
#include <windows.h>

#include <shlobj.h>

#include <string>

#include "import_hook/import_hook.h"
#include "support/dialog_answerer.h"

// Clicks a toolbar button with the mouse; the toolbar then sends its command to the dialog.
void ClickToolbarButton(HWND toolbar, int command);

bool ToolbarButtonEnabled(HWND toolbar, int command);

// Picks an item of the letter combo as a user does: selection, then CBN_SELENDOK.
void PickComboItem(HWND dialog, int comboId, const std::wstring& text);

// Stands in for the shell's folder picker (SHBrowseForFolderW, through this program's import
// table): records what the code under test asked for, runs its callback as the shell would at
// start-up, and "the user" confirms the folder given, or cancels when it is empty.
class FolderPickerStandIn {
public:
    explicit FolderPickerStandIn(const std::wstring& chosen);
    ~FolderPickerStandIn();
    FolderPickerStandIn(const FolderPickerStandIn&) = delete;
    FolderPickerStandIn& operator=(const FolderPickerStandIn&) = delete;

    bool Installed() const { return hook_.Installed(); }
    int Shown() const { return shown_; }
    HWND Owner() const { return owner_; }
    const std::wstring& Title() const { return title_; }
    UINT Flags() const { return flags_; }
    bool RootIsDesktop() const { return rootIsDesktop_; }
    // The folder that the callback asked the picker to select first (BFFM_SETSELECTIONW).
    const std::wstring& RequestedStart() const { return requestedStart_; }

private:
    static PIDLIST_ABSOLUTE WINAPI Browse(BROWSEINFOW* info);
    static LRESULT CALLBACK PickerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    ImportHook hook_;
    std::wstring chosen_;
    int shown_ = 0;
    HWND owner_ = nullptr;
    std::wstring title_;
    UINT flags_ = 0;
    bool rootIsDesktop_ = false;
    std::wstring requestedStart_;
};

// Cancels the shell's real folder picker (any dialog other than a message box and the main
// dialog) as soon as it is shown, and counts how often that happened.
class FolderPickerCanceller : public DialogAnswerer {
public:
    int Shown() const { return shown_; }

private:
    bool Wants(HWND window) const override;
    void Answer(HWND window) override;

    int shown_ = 0;
};
