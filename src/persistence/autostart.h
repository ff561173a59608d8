// The Run value that starts the program with /startup at the user's log-on, and the mark with
// which Windows' startup manager may have switched it off.
#pragma once

// True writes (or rewrites) the value. False deletes it, but only when it starts this executable:
// another copy's value is that copy's autostart. Every failure is silent.
void SetAutoStart(bool enable);

// True when Task Manager or the Settings app switched the Run value off: Windows then skips it.
bool IsAutoStartDisabledByWindows();

// Takes that switch-off back; for the user's own tick, never for a save.
void ClearAutoStartDisabledMark();
