// Raw targets of virtual drives: "\??\" followed by the directory.
#pragma once
#include <cstddef>

constexpr size_t kTargetCapacity = 1024;

// True when a device's target names a directory through the "\??\" prefix.
bool IsVirtualDriveTarget(const wchar_t* target);

// The directory part of a virtual drive's target (the text after the prefix).
const wchar_t* DirectoryOfTarget(const wchar_t* target);

// Builds "\??\" + directory with its first unit upper-cased and one trailing
// backslash dropped (d:\Work\ gives \??\D:\Work, C:\ gives \??\C:).
// False, with target emptied, when the result does not fit into capacity units.
bool BuildRawTarget(const wchar_t* directory, wchar_t* target, size_t capacity);
