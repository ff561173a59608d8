// Records and answers the message boxes that the code under test shows on this thread,
// so that the real MessageBoxW runs without blocking the test.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/dialog_answerer.h"

struct RecordedBox {
    std::wstring caption;
    std::wstring text;
    HWND owner;
};

// True when the window is a message box (a dialog with the message text control).
bool IsMessageBox(HWND window);

// Text and caption of a message box window, read through its controls.
RecordedBox ReadMessageBox(HWND box);

class MessageBoxInterceptor : public DialogAnswerer {
public:
    // answer is the button pressed for every box: IDOK, IDYES, IDNO...
    explicit MessageBoxInterceptor(int answer = IDOK) : answer_(answer) {}

    void SetAnswer(int answer) { answer_ = answer; }
    // Runs while each box is open, before it is answered: what may happen during a box's own
    // message loop.
    void WhileOpen(std::function<void()> action) { whileOpen_ = std::move(action); }
    const std::vector<RecordedBox>& Boxes() const { return boxes_; }
    std::vector<std::wstring> Texts() const;
    void Clear() { boxes_.clear(); }

private:
    bool Wants(HWND window) const override { return IsMessageBox(window); }
    void Answer(HWND window) override;

    int answer_;
    std::function<void()> whileOpen_;
    std::vector<RecordedBox> boxes_;
};

// What a box shows for a message of the string table with its argument, cut at 1023 units as the
// program cuts it. Tests name the message; only the messages test spells out the words.
std::wstring MessageText(UINT id, const std::wstring& argument = L"", wchar_t letter = 0);
