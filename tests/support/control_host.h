// A plain top-level window holding the two controls that the settings file reads and writes
// (the autostart check box and the drive list), with the dialog's control identifiers. It
// stands in for the main dialog as g_hwndMain while it exists.
#pragma once
#include <windows.h>

#include <deque>
#include <string>

#include "mainwindow/dialog_rules.h"

class ControlHost {
public:
    ControlHost();
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    HWND Window() const { return window_; }
    void SetChecked(bool checked);
    bool Checked() const;
    // A row with a record (letter, directory), in the list's sorted place.
    void AddRow(wchar_t letter, const std::wstring& directory, DriveState state = DriveState::Connected);
    // A row whose item data is null.
    void AddRowWithoutRecord(wchar_t letter);
    int RowCount() const;

private:
    HWND window_ = nullptr;
    HWND checkBox_ = nullptr;
    HWND list_ = nullptr;
    std::deque<DriveRecord> records_;   // stays where it is as rows are added
};
