// Runs the one-shot mode that the command line asks for.
#pragma once

// True when the dialog must be shown; false when a one-shot mode ran and the process ends with
// *exitStatus.
bool ParseCommandLine(int* exitStatus);
