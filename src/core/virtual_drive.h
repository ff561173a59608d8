// The only place that changes drive letters: define, re-point, remove and read back virtual drives.
#pragma once
#include <cstddef>

// True for an existing directory (not a file, not a missing path).
bool IsDirectory(const wchar_t* path);

// With a path: makes the letter a virtual drive for that directory, replacing the
// virtual drive it already is. With a null path: removes the letter's virtual drive.
// Letters held by other devices are never touched. Failures the user must know are shown.
bool SetVirtualDrive(wchar_t letter, const wchar_t* path);

// True when the path lies on the letter's drive, directly or through other virtual drives: the
// letter cannot be mapped there, nor can a drive that is about to be removed serve the path.
bool LiesOnDrive(wchar_t letter, const wchar_t* path);

// Foreign: another device holds the letter. Unreadable: the system did not say what the letter
// is (a failure other than "not defined").
enum class DriveQuery { NotVirtual, Virtual, Foreign, Unreadable };

// The directory of the letter's virtual drive, as FollowVirtualDrives reads drives; false when the
// letter is none.
bool ReadDirectoryOfDrive(wchar_t letter, wchar_t* directory, size_t capacity, void* context);

// True when another device (a disk, a network drive) holds the letter.
bool IsHeldByDevice(wchar_t letter);

// Virtual when the letter is a virtual drive; directory (capacity units, at least
// kTargetCapacity) then receives its long form without a trailing backslash.
DriveQuery QueryVirtualDrive(wchar_t letter, wchar_t* directory, size_t capacity);

// The same in two steps, for a caller that may already know the long form: the directory as the
// target names it, then its long form (the text stays as it is when the system has none).
DriveQuery ReadVirtualDrive(wchar_t letter, wchar_t* directory, size_t capacity);
void ExpandToLongForm(wchar_t* directory, size_t capacity);
