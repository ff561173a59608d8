// How a checked new settings file takes the old one's place on the disk.
#pragma once
#include "persistence/settings_rules.h"

constexpr size_t kSettingsTargetCapacity = kModulePathCapacity;
// The settings file's path with a suffix of four units: its new file (".new") and its backup.
constexpr size_t kSiblingPathCapacity = kSettingsTargetCapacity + 4;

// sibling = path and suffix (of up to four units); false when that does not fit.
bool SiblingPath(const wchar_t* path, const wchar_t* suffix, wchar_t (&sibling)[kSiblingPathCapacity]);

// True when the file at path is missing and a new file at newPath holds the list: a save was cut
// between its two names, and the new file is the list's only copy.
bool IsStrandedSave(const wchar_t* path, const wchar_t* newPath);

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
// Where the replace fails, the old file stays or is put back under its name.
bool PutInPlace(const wchar_t* newPath, const SettingsTarget& target);
