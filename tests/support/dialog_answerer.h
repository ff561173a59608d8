// The skeleton of the tests' stand-ins for a user at a dialog. While any answerer lives, a WH_CBT
// hook on this thread offers each window that is activated to the answerers, newest first; the
// first that wants it answers it, once: a dialog is activated again whenever the focus comes
// back to it.
#pragma once
#include <windows.h>

class DialogAnswerer {
public:
    DialogAnswerer();
    virtual ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

protected:
    virtual bool Wants(HWND window) const = 0;
    // Runs while the window is being activated, before it is shown to anyone: post what ends it.
    virtual void Answer(HWND window) = 0;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
};

// Posts the click of one of the dialog's buttons, as the dialog manager reports it.
void PostButtonClick(HWND dialog, int id);
