// A settings file's bytes, in any encoding or none, decoded to the UTF-16 text of its copy.
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "persistence/settings_rules.h"

namespace {

// Stands in for the ANSI code page: every byte one unit, as in Latin-1.
bool DecodeLatin1(const unsigned char* bytes, size_t size, wchar_t* units, size_t capacity, size_t* count)
{
    if (size > capacity)
        std::abort();
    for (size_t i = 0; i < size; ++i)
        units[i] = bytes[i];
    *count = size;
    return true;
}

// UTF-8 of UTF-16 units; aborts on a surrogate without its partner.
std::string EncodeUtf8(const wchar_t* units, size_t count)
{
    std::string bytes;
    for (size_t i = 0; i < count; ++i) {
        unsigned long point = static_cast<unsigned long>(units[i]);
        if (point >= 0xD800 && point < 0xDC00 && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000)
            point = 0x10000 + ((point - 0xD800) << 10) + (static_cast<unsigned long>(units[++i]) - 0xDC00);
        else if (point >= 0xD800 && point < 0xE000)
            std::abort();
        if (point < 0x80) {
            bytes += static_cast<char>(point);
            continue;
        }
        const int trailing = point < 0x800 ? 1 : point < 0x10000 ? 2 : 3;
        bytes += static_cast<char>(((0xFF00 >> (trailing + 1)) & 0xFF) | (point >> (6 * trailing)));
        for (int shift = 6 * (trailing - 1); shift >= 0; shift -= 6)
            bytes += static_cast<char>(0x80 | ((point >> shift) & 0x3F));
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<wchar_t> units(size + 1);
    size_t count = 0;
    if (!DecodeSettingsBytes(data, size, units.data(), &count, DecodeLatin1) || count == 0 || count > size + 1 ||
        units[0] != 0xFEFF)
        std::abort();
    for (size_t i = 0; i < count; ++i) {
        if (static_cast<unsigned long>(units[i]) > 0xFFFF)
            std::abort();
    }
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    switch (DetectSettingsEncoding(data, size)) {
    case SettingsEncoding::Utf16: {
        // The units behind the mark, in the mark's byte order; a last odd byte is dropped.
        const bool bigEndian = data[0] == 0xFE;
        if (count != size / 2)
            std::abort();
        for (size_t i = 1; i < count; ++i) {
            const unsigned long unit = bigEndian ? data[2 * i] << 8 | data[2 * i + 1] : data[2 * i + 1] << 8 | data[2 * i];
            if (static_cast<unsigned long>(units[i]) != unit)
                std::abort();
        }
        break;
    }
    case SettingsEncoding::Utf8:
        // The text reads back to the same bytes, less a byte-order mark.
        if (EncodeUtf8(units.data() + 1, count - 1) != bytes.substr(Utf8MarkLength(data, size)))
            std::abort();
        break;
    case SettingsEncoding::Ansi:
        if (count != size + 1 || std::wstring(units.data() + 1, count - 1) != std::wstring(data, data + size))
            std::abort();
        break;
    }
    return 0;
}
