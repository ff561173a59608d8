// Drives the controls of the main dialog the way the user's input reaches them.
#pragma once
#include <windows.h>

#include <string>

#include "support/import_hook.h"

// Clicks a toolbar button with the mouse; the toolbar then sends its command to the dialog.
void ClickToolbarButton(HWND toolbar, int command);

// The button's state bits (TB_GETSTATE).
int ToolbarButtonState(HWND toolbar, int command);
bool ToolbarButtonEnabled(HWND toolbar, int command);

// Picks an item of the letter combo as a user does: selection, then CBN_SELENDOK.
void PickComboItem(HWND dialog, int comboId, const std::wstring& text);

// Answers the shell's folder picker (any dialog other than a message box and the main
// dialog) with IDOK or IDCANCEL, as a user does: optionally after going to a folder first,
// and once the tree's selection has settled. It also records the start folder that the code
// under test asked the picker to select (BFFM_SETSELECTIONW).
class FolderPickerAnswerer {
public:
    explicit FolderPickerAnswerer(int answer, const std::wstring& goTo = L"");
    ~FolderPickerAnswerer();
    FolderPickerAnswerer(const FolderPickerAnswerer&) = delete;
    FolderPickerAnswerer& operator=(const FolderPickerAnswerer&) = delete;

    int Shown() const { return shown_; }
    const std::wstring& RequestedStart() const { return requestedStart_; }
    const std::wstring& Title() const { return title_; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD now);
    static LRESULT WINAPI RecordingSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HHOOK hook_;
    ImportHook sendMessage_;
    int answer_;
    std::wstring goTo_;
    std::wstring requestedStart_;
    int shown_ = 0;
    std::wstring title_;
    HWND picker_ = nullptr;
    LRESULT lastSelection_ = 0;
    DWORD openedAt_ = 0;
    DWORD stableSince_ = 0;
};
