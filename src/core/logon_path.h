// The executable's path as it exists at log-on, before any virtual drive: what the Run value
// names and what tells two starts of the same executable apart.
#pragma once
#include <cstddef>

// Turns a full path in place into its log-on form: a letter that is a virtual drive gives way to
// the drive's directory (a drive onto a drive too), short (8.3) names to their long form, and a
// network drive's letter to its share (\\server\share\...), and a symbolic link that is the file
// itself to the file it names. Directory junctions and links above the file stay as they are.
// False when the result would not fit.
bool ToLogonPath(wchar_t* path, size_t capacity);

// The log-on form of the executable's own path in path (capacity units); its length, or 0 when
// the system gave no path or it did not fit.
size_t LogonPathOfExecutable(wchar_t* path, size_t capacity);
