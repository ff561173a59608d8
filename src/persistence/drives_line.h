// One line of the [Drives] section: a drive letter, "=" and a directory.
#pragma once

// Takes a NUL-terminated line apart. The letter is upper-cased but not validated; blanks and
// tabs around "=" are skipped; the directory is the rest of the line, possibly empty.
// False when no "=" follows the letter (such lines count for nothing).
bool ParseDrivesLine(const wchar_t* line, wchar_t* letter, const wchar_t** directory);
