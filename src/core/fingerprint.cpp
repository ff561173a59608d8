// Fingerprints of UTF-16 text.
#include "core/fingerprint.h"

namespace {
constexpr uint64_t kFingerprintPrime = 0x100000001B3ull;
}

uint64_t Fingerprint(uint64_t fingerprint, const wchar_t* text, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const unsigned unit = static_cast<unsigned>(text[i]) & 0xFFFF;
        fingerprint = (fingerprint ^ (unit & 0xFF)) * kFingerprintPrime;
        fingerprint = (fingerprint ^ (unit >> 8)) * kFingerprintPrime;
    }
    return fingerprint;
}
