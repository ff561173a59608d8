// The Run value that starts the program with /startup at the user's log-on, and the mark with
// which Windows' startup manager may have switched it off.
#pragma once

// True writes (or rewrites) the value, naming the executable by its log-on path, and creates the
// Run key where it is missing. False deletes it, but only when it starts this executable: another
// copy's value is that copy's autostart. A value that cannot be written or deleted is reported.
void SetAutoStart(bool enable);

// Close's part: shownChecked is the box as the dialog showed it once the settings were read (see
// RunValueChangeAtClose). Failures are reported as SetAutoStart reports them.
void ApplyAutoStartAtClose(bool checked, bool shownChecked);

// True when the Run value starts this executable and Task Manager or the Settings app has not
// switched it off (Windows then skips it): the next log-on will run it.
bool IsAutoStartRegistered();

// Takes that switch-off back; for the user's own tick, never for a save.
void ClearAutoStartDisabledMark();
