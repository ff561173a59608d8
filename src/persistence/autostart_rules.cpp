// The Run value that starts the program at log-on.
#include "persistence/autostart_rules.h"

#include "core/bounded_string.h"
#include "persistence/settings_rules.h"

namespace {
const wchar_t kRunValueSuffix[] = L"\" /startup";
}

bool ComposeRunValue(wchar_t* buffer, size_t capacity, size_t pathLength)
{
    if (pathLength == 0 || pathLength >= kModulePathLimit || 1 + pathLength >= capacity)
        return false;
    buffer[1 + pathLength] = L'\0';
    return AppendBounded(buffer, capacity, kRunValueSuffix);
}

unsigned long RunValueByteCount(size_t length)
{
    // Registry strings are UTF-16 on every build, whatever wchar_t is on the host.
    return static_cast<unsigned long>((length + 1) * 2);
}
