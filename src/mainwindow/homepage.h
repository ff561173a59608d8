// The maker's home page, which the main dialog's link opens, in the wide form that the
// program's calls take. The dialog templates show its host name through res/version.h.
#pragma once
#include "res/version.h"

#define MORVEX_WIDE_TEXT_(text) L##text
#define MORVEX_WIDE_TEXT(text) MORVEX_WIDE_TEXT_(text)

constexpr wchar_t kHomepageUrl[] = MORVEX_WIDE_TEXT(MORVEX_HOMEPAGE_URL);
