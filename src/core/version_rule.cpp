// Which Windows versions the program runs on.
#include "core/version_rule.h"

bool IsSupportedVersion(unsigned long platformId, unsigned long majorVersion)
{
    return platformId == kPlatformWin32Nt && majorVersion >= 5;
}
