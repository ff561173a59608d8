// Starts the shipped Morvex.exe as a user would, and watches the message boxes it shows.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "support/message_box_interceptor.h"

struct ProgramRun {
    bool started = false;
    bool finished = false;      // ended on its own within the time allowed
    DWORD exitCode = 0;
    std::vector<RecordedBox> boxes;   // message boxes it showed, each answered with OK
};

// Path of the Morvex.exe under test (from the MORVEX_EXE environment variable).
std::wstring MorvexExecutable();

// Runs "program" arguments; waits up to timeoutMs for it to end.
ProgramRun RunProgram(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs = 20000);
