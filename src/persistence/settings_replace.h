// How a checked new settings file takes the old one's place on the disk.
#pragma once
#include "persistence/settings_rules.h"

constexpr size_t kSettingsTargetCapacity = kModulePathCapacity;

// The file that a save replaces: the one that the settings path finally names.
struct SettingsTarget {
    wchar_t path[kSettingsTargetCapacity];
    bool exists;
    bool hardLinked;   // its other names would keep the old text after a replace
};

// Follows symbolic links from path to the file itself; a file that does not exist yet is path
// itself. False when the file exists but cannot be looked at.
bool FindSettingsTarget(const wchar_t* path, SettingsTarget* target);

// Puts the checked file at newPath in the target's place, its data on the disk first: replaces a
// file of one name (which keeps its attributes and security), writes over a file of several
// names, moves in where there is none. Sharing and lock violations are waited out for 2 seconds.
bool PutInPlace(const wchar_t* newPath, const SettingsTarget& target);
