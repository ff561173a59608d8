// The Run value that starts the program at log-on: the executable's path in double quotes and
// the start-up switch.
#pragma once
#include <cstddef>

// buffer (capacity units) holds a double quote at unit 0 and the executable's path of
// pathLength units from unit 1. Appends the closing quote and " /startup"; false when the path
// length is 0 or 1024 or more, or when the whole value would not fit, so that nothing is written.
bool ComposeRunValue(wchar_t* buffer, size_t capacity, size_t pathLength);

// Bytes that the registry stores for a string of length characters, its terminator included.
unsigned long RunValueByteCount(size_t length);
