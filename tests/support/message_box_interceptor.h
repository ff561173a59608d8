// Records and answers the message boxes that the code under test shows on this thread,
// so that the real MessageBoxW runs without blocking the test.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct RecordedBox {
    std::wstring caption;
    std::wstring text;
    HWND owner;
};

class MessageBoxInterceptor {
public:
    // answer is the button pressed for every box: IDOK, IDYES, IDNO...
    explicit MessageBoxInterceptor(int answer = IDOK);
    ~MessageBoxInterceptor();
    MessageBoxInterceptor(const MessageBoxInterceptor&) = delete;
    MessageBoxInterceptor& operator=(const MessageBoxInterceptor&) = delete;

    void SetAnswer(int answer) { answer_ = answer; }
    // Runs while each box is open, before it is answered: what may happen during a box's own
    // message loop.
    void WhileOpen(std::function<void()> action) { whileOpen_ = std::move(action); }
    const std::vector<RecordedBox>& Boxes() const { return boxes_; }
    void Clear() { boxes_.clear(); }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void OnActivate(HWND window);

    HHOOK hook_;
    int answer_;
    std::function<void()> whileOpen_;
    std::vector<RecordedBox> boxes_;
};

// Text and caption of a message box window, read through its controls.
RecordedBox ReadMessageBox(HWND box);

// True the first time it is asked for a window: a dialog is activated again whenever the focus
// comes back to it, and each one is to be answered once.
bool FirstActivation(HWND window);

// True when the window is a message box (a dialog with the message text control).
bool IsMessageBox(HWND window);
