// The Run value that starts the program with /startup at the user's log-on.
#pragma once

// True writes (or rewrites) the value, false deletes it. Every failure is silent.
void SetAutoStart(bool enable);
