// UTF-16 copies of the settings file. The profile functions keep a file in UTF-16 only when it
// starts with a UTF-16 byte-order mark and read any other one in the ANSI code page: a UTF-8 file
// is read through a UTF-16 copy, and every save goes to a UTF-16 copy that then replaces the file.
#pragma once
#include <windows.h>

// True when the file holds UTF-8 text that the profile functions would misread.
bool IsUtf8SettingsFile(const wchar_t* path);

// CreateFileW for a save: a sharing or lock violation is waited out for 2 seconds.
HANDLE OpenHeldFile(const wchar_t* path, DWORD access, DWORD sharing, DWORD disposition);

// Writes into copy, a new file open for writing, the text of source decoded from UTF-16, UTF-8 or
// the ANSI code page, in UTF-16LE with its byte-order mark; just the mark when source does not
// exist. False when source cannot be read (held for more than 2 seconds, with waitForHolder) or
// copy cannot be written whole.
bool WriteUnicodeCopy(const wchar_t* source, HANDLE copy, bool waitForHolder);

// Such a copy in the temporary folder, for reading only; copy (MAX_PATH units) receives its path.
bool MakeTemporaryUnicodeCopy(const wchar_t* source, wchar_t* copy);

// Writes the copy's bytes over the file's and flushes them: the file stays the same file, with
// its other names, attributes and security. False, with the system's error, when it cannot.
bool OverwriteWithCopy(const wchar_t* copy, const wchar_t* file);

// Writes the file's data through to the disk, waiting for a program that holds it.
bool FlushToDisk(const wchar_t* path);
