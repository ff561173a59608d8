// Option bits and defaults of the hyperlink control, shared by its window code and its rules.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr uint32_t HLF_ALIGN_RIGHT = 0x01;    // wins over HLF_ALIGN_CENTER
constexpr uint32_t HLF_ALIGN_CENTER = 0x02;
constexpr uint32_t HLF_VALIGN_CENTER = 0x04;
constexpr uint32_t HLF_VALIGN_BOTTOM = 0x08;  // wins over HLF_VALIGN_CENTER
constexpr uint32_t HLF_VISITED = 0x10;        // drawn in the visited colour
constexpr uint32_t HLF_FOCUSABLE = 0x20;      // tab stop, focus rectangle, opens on Space
constexpr uint32_t HLF_AUTOSIZE = 0x40;       // window follows the size of its text

// Colours as 0x00BBGGRR.
constexpr uint32_t kDefaultLinkColor = 0x00FF0000;     // blue
constexpr uint32_t kDefaultVisitedColor = 0x00800080;  // purple

// Target and window text of a link, terminator included.
constexpr size_t kLinkTextCapacity = 260;
