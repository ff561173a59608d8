// Rules of the hyperlink control that do not need the window system: its option bits and
// defaults, how a link lays out its text, and the window style a static gets as a link.
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

// The DrawTextW format bits used here, with the values that the system gives them (DT_*).
constexpr uint32_t kLinkFormatCenter = 0x0001;
constexpr uint32_t kLinkFormatRight = 0x0002;
constexpr uint32_t kLinkFormatVerticalCenter = 0x0004;
constexpr uint32_t kLinkFormatBottom = 0x0008;
constexpr uint32_t kLinkFormatSingleLine = 0x0020;
constexpr uint32_t kLinkFormatNoPrefix = 0x0800;

// The window style bits used here, with the values that the system gives them.
constexpr uint32_t kLinkStyleBorder = 0x00800000;   // WS_BORDER
constexpr uint32_t kLinkStyleTabStop = 0x00010000;  // WS_TABSTOP
constexpr uint32_t kLinkStyleNotify = 0x0100;       // SS_NOTIFY

// DrawTextW format: one line, ampersands shown as they are, aligned as the flags say.
uint32_t LinkTextFormat(uint32_t flags);

// Pixels between the client edge and the text on every side at dpi: room for the focus rectangle.
int LinkTextInset(uint32_t flags, unsigned dpi);

// No border, notifications on, a tab stop exactly when the link is focusable; every other bit kept.
uint32_t LinkWindowStyle(uint32_t style, uint32_t flags);
