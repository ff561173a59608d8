// Turns fuzzer bytes into UTF-16 units, as the program sees text on Windows.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

inline std::vector<wchar_t> ToUnits(const uint8_t* data, size_t size)
{
    std::vector<wchar_t> units;
    units.reserve(size / 2 + 1);
    for (size_t i = 0; i + 1 < size; i += 2)
        units.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    return units;
}

inline size_t UnitLength(const wchar_t* text)
{
    size_t length = 0;
    while (text[length] != 0)
        ++length;
    return length;
}
