// How a link lays out and colours its text, from its option bits.
#pragma once
#include <cstdint>

// The DrawTextW format bits used here, with the values that the system gives them (DT_*).
constexpr uint32_t kLinkFormatCenter = 0x0001;
constexpr uint32_t kLinkFormatRight = 0x0002;
constexpr uint32_t kLinkFormatVerticalCenter = 0x0004;
constexpr uint32_t kLinkFormatBottom = 0x0008;
constexpr uint32_t kLinkFormatSingleLine = 0x0020;
constexpr uint32_t kLinkFormatNoPrefix = 0x0800;

// DrawTextW format: one line, ampersands shown as they are, aligned as the flags say.
uint32_t LinkTextFormat(uint32_t flags);

// The colour of the text: visited or not.
uint32_t LinkTextColor(uint32_t flags, uint32_t linkColor, uint32_t visitedColor);

// Pixels between the client edge and the text on every side at dpi: room for the focus rectangle.
int LinkTextInset(uint32_t flags, unsigned dpi);
