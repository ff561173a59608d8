// Drives the controls of the main dialog the way the user's input reaches them.
#pragma once
#include <windows.h>

#include <string>

// Clicks a toolbar button with the mouse; the toolbar then sends its command to the dialog.
void ClickToolbarButton(HWND toolbar, int command);

// The button's state bits (TB_GETSTATE).
int ToolbarButtonState(HWND toolbar, int command);
bool ToolbarButtonEnabled(HWND toolbar, int command);

// Picks an item of the letter combo as a user does: selection, then CBN_SELENDOK.
void PickComboItem(HWND dialog, int comboId, const std::wstring& text);

// Answers the shell's folder picker (any dialog other than a message box and the main
// dialog) with IDOK or IDCANCEL, once its tree's selection has settled after it opened.
class FolderPickerAnswerer {
public:
    explicit FolderPickerAnswerer(int answer);
    ~FolderPickerAnswerer();
    FolderPickerAnswerer(const FolderPickerAnswerer&) = delete;
    FolderPickerAnswerer& operator=(const FolderPickerAnswerer&) = delete;

    int Shown() const { return shown_; }
    const std::wstring& Title() const { return title_; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD now);

    HHOOK hook_;
    int answer_;
    int shown_ = 0;
    std::wstring title_;
    HWND picker_ = nullptr;
    LRESULT lastSelection_ = 0;
    DWORD openedAt_ = 0;
    DWORD stableSince_ = 0;
};
