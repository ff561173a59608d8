// The autostart choice as the settings file stores it, and the Run value that starts the
// program at log-on.
#pragma once
#include <cstddef>

constexpr size_t kAutoStartValueCapacity = 32;

// On exactly when the value has fewer than 30 characters and begins with "True" in any case.
bool IsAutoStartValueOn(const wchar_t* value, size_t length);

extern const wchar_t kRunValueSuffix[];

// buffer (kModulePathCapacity units) holds a double quote at unit 0 and the executable's path of
// pathLength units from unit 1. Appends the closing quote and " /startup"; false when the path
// length is 0 or 1024 or more, so that nothing is written.
bool ComposeRunValue(wchar_t* buffer, size_t pathLength);

// Bytes that the registry stores for a string of length characters, its terminator included.
unsigned long RunValueByteCount(size_t length);
