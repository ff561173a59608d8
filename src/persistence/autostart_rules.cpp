// The autostart choice and the Run value.
#include "persistence/autostart_rules.h"

#include <cwctype>

#include "core/bounded_string.h"
#include "persistence/settings_path.h"

const wchar_t kRunValueSuffix[] = L"\" /startup";

bool IsAutoStartValueOn(const wchar_t* value, size_t length)
{
    if (length >= 30)
        return false;
    const wchar_t word[] = L"true";
    for (size_t i = 0; i < 4; ++i) {
        if (std::towlower(static_cast<wint_t>(value[i])) != static_cast<wint_t>(word[i]))
            return false;
    }
    return true;
}

bool ComposeRunValue(wchar_t* buffer, size_t pathLength)
{
    if (pathLength == 0 || pathLength >= kModulePathLimit)
        return false;
    buffer[1 + pathLength] = L'\0';
    AppendBounded(buffer, kModulePathCapacity, kRunValueSuffix);
    return true;
}

unsigned long RunValueByteCount(size_t length)
{
    // Registry strings are UTF-16 on every build, whatever wchar_t is on the host.
    return static_cast<unsigned long>((length + 1) * 2);
}
