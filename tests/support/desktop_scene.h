// An administrator's log-on under UAC through the test program's import table: Wine has one logon
// session, no shell window and every token elevated. Runs started with the shell's token are events
// that end at once with exitCode, or never when it is STILL_ACTIVE; none start for a negative one.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/desktop_rules.h"
#include "import_hook/import_hook.h"

class DesktopScene {
public:
    DesktopScene(const SessionFacts& facts, int elevationType = 2, long exitCode = 0);
    void SetExitCode(long exitCode);
    // The arguments of each run started with the shell's token, as the run reads them.
    std::vector<std::vector<std::wstring>> Runs() const;

private:
    std::vector<std::unique_ptr<ImportHook>> hooks_;
};
