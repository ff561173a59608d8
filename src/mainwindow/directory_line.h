// The text of a drive list row's directory line.
#pragma once

// Removes the directory's trailing backslash, except from a drive root such as "C:\".
// The line shortens a too-wide directory in its middle and keeps what follows the last
// backslash; without this, a directory ending in one would keep nothing of its last folder.
void DropTrailingBackslash(wchar_t* directory);
