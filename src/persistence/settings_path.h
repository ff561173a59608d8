// Where the settings file lies: "Morvex.ini" beside the executable.
#pragma once
#include <cstddef>

// Module paths are read into buffers of this many units and accepted only when shorter than 1024.
constexpr size_t kModulePathCapacity = 1036;
constexpr size_t kModulePathLimit = 1024;

extern const wchar_t kSettingsFileName[];

// path holds the executable's path of length units (as the system reported it) in a buffer of
// kModulePathCapacity units. Replaces the file name by "Morvex.ini"; false when the length is 0
// or kModulePathLimit or more, and the path is then left alone.
bool FormSettingsPath(wchar_t* path, size_t length);
