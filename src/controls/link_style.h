// The window style a static control gets when it becomes a link.
#pragma once
#include <cstdint>

// The style bits used here, with the values that the system gives them.
constexpr uint32_t kLinkStyleBorder = 0x00800000;   // WS_BORDER
constexpr uint32_t kLinkStyleTabStop = 0x00010000;  // WS_TABSTOP
constexpr uint32_t kLinkStyleNotify = 0x0100;       // SS_NOTIFY

// No border, notifications on, a tab stop exactly when the link is focusable; every other bit kept.
uint32_t LinkWindowStyle(uint32_t style, uint32_t flags);
