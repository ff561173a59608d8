// Starts the shipped Morvex.exe as a user would, and watches the message boxes it shows.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/message_box_interceptor.h"

struct ProgramRun {
    bool started = false;
    bool finished = false;      // ended on its own within the time allowed
    DWORD exitCode = 0;
    std::vector<RecordedBox> boxes;   // message boxes it showed, each answered with OK
    bool dialogShown = false;         // its main dialog appeared
};

// Called once when the program's main dialog is visible; it must make the dialog end.
using DialogHandler = std::function<void(HWND dialog)>;

// Ends the dialog through the caption's close box.
void CloseWithCaptionBox(HWND dialog);

// Path of the Morvex.exe under test (from the MORVEX_EXE environment variable).
std::wstring MorvexExecutable();

// Runs "program" arguments; waits up to timeoutMs for it to end. Message boxes are answered
// with OK; the main dialog, when it shows, is handed to onDialog.
ProgramRun RunProgram(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs = 20000,
                      const DialogHandler& onDialog = CloseWithCaptionBox);
