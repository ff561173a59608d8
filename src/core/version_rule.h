// Which Windows versions the program runs on: the NT family from Windows 2000 (5.0) on.
#pragma once

constexpr unsigned long kPlatformWin32Nt = 2;

bool IsSupportedVersion(unsigned long platformId, unsigned long majorVersion);
