// Fingerprints of UTF-16 text (64-bit FNV-1a): a short name for something a path tells apart, and
// a check that text read twice came back the same.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr uint64_t kFingerprintStart = 0xCBF29CE484222325ull;

// Folds count units of text into fingerprint, two bytes a unit.
uint64_t Fingerprint(uint64_t fingerprint, const wchar_t* text, size_t count);
