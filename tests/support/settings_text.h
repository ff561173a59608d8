// Texts that tests write as settings files and expect as device targets.
#pragma once
#include <string>

// The bytes of a UTF-16LE text file, with or without its byte-order mark.
std::string Utf16FileBytes(const std::wstring& text, bool byteOrderMark = true);

// The text in UTF-8, without a byte-order mark: how Notepad saves a file today.
std::string Utf8Bytes(const std::wstring& text);

// The raw target that a virtual drive for directory has: "\??\" and the directory without
// a trailing backslash.
std::wstring VirtualTarget(const std::wstring& directory);
