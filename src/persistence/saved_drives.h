// Re-creating the saved drives, in the order that lets a drive built on another one follow it,
// and at log-on waiting for the volumes that come later (network and removable drives).
#pragma once
#include <cstddef>

#include "persistence/settings_rules.h"

// How long the log-on run keeps trying a drive whose volume is not there yet, in milliseconds from
// the run's start.
extern unsigned long g_dwLateVolumeWait;

// Maps the planned drives in order; each failure is reported as it is found. At log-on a drive
// whose volume is not there yet is tried again until it maps or the wait is over, while the others
// go ahead, and a letter held by another device gets a box of its own (the dialog shows that in
// the drive's row instead). True when every drive was mapped.
bool ApplySavedDrives(const SavedDrive* drives, size_t count, bool logOn);
