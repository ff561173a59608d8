// Raw targets of virtual drives: "\??\" followed by the directory in the NT form that the
// object manager resolves, and back.
#pragma once
#include <cstddef>

constexpr size_t kTargetCapacity = 1024;
// Windows' QueryDosDeviceW needs room for the target and two NULs (Wine's, for one): a longer
// target could be defined but never read back, so never listed nor removed.
constexpr size_t kLongestReadableTarget = kTargetCapacity - 2;

// True when a device's target names a directory through the "\??\" prefix.
bool IsVirtualDriveTarget(const wchar_t* target);

// Builds the target of a full Win32 directory path: d:\Work\ gives \??\D:\Work, C:\ gives \??\C:,
// \\server\share\dir gives \??\UNC\server\share\dir, and \\?\ or \\.\ paths keep what follows
// their prefix. The unit after "\??\" is upper-cased and one trailing backslash dropped.
// False, with target emptied, when the result does not fit into capacity units.
bool BuildRawTarget(const wchar_t* directory, wchar_t* target, size_t capacity);

// The Win32 form of the directory that a virtual drive's target names, the reverse of
// BuildRawTarget: \??\C:\dir gives C:\dir, \??\UNC\server\share gives \\server\share, and any
// other target (\??\Volume{...}\dir) its "\\?\" form. Cut to fit capacity units.
void DirectoryOfTarget(const wchar_t* target, wchar_t* directory, size_t capacity);

// False when no component of the path can be a generated short name: those always hold a '~',
// so the system's long form would be the path itself.
bool MayHoldShortNames(const wchar_t* path);

// The drive letter a full path lies on ("X:..." or "\\?\X:..."), upper-cased; 0 for other paths.
wchar_t DriveLetterOfPath(const wchar_t* path);

// Units of the path's root with its closing backslash: "X:\", "\\server\share\", or a device
// path's first component ("\\?\Volume{...}\"); 0 when the path has none.
size_t PathRootLength(const wchar_t* path);

// Units of a full path's folder: up to its last backslash, that one kept only where it closes
// the root ("C:\Morvex.exe" gives "C:\", "C:\dir\Morvex.exe" gives "C:\dir").
size_t FolderLengthOfPath(const wchar_t* path);

// True when path names an entry directly inside folder (full paths, compared without regard to
// case; folder with or without its closing backslash).
bool IsNameInFolder(const wchar_t* path, const wchar_t* folder);

// Reads a letter's virtual drive: true with its directory (no trailing backslash) when the letter
// is one.
using VirtualDriveReader = bool (*)(wchar_t letter, wchar_t* directory, size_t capacity, void* context);

// Follows a full path, in place (capacity units), through the virtual drives it lies on, to where
// it lies on none. ReachesLetter: it passed the drive of letter (0 for none) and stops there.
// TooLong: a step would not fit, and the path stays as far as it got.
enum class DriveChain { Resolved, ReachesLetter, TooLong };
DriveChain FollowVirtualDrives(wchar_t* path, size_t capacity, wchar_t letter, VirtualDriveReader readDrive,
                               void* context);

// True when the full path lies on the drive of letter, directly or through other virtual drives:
// mapping the letter there would make the drive reach itself.
bool PathLeadsToDrive(const wchar_t* path, wchar_t letter, VirtualDriveReader readDrive, void* context);
