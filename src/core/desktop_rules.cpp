// Rules of the desktop's logon session that do not need the window system.
#include "core/desktop_rules.h"

#include "core/bounded_string.h"
#include "core/drive_letter.h"

SessionKind ClassifySession(const SessionFacts& facts)
{
    if (!facts.shellRead)
        return SessionKind::NoShell;
    if (facts.sameLogonSession || !facts.elevated)
        return SessionKind::Same;
    return facts.sameUser ? SessionKind::ElevatedBesideDesktop : SessionKind::OtherUser;
}

bool AppendArgument(wchar_t* line, size_t capacity, const wchar_t* argument)
{
    size_t length = BoundedLength(line, capacity);
    size_t end = length;
    auto put = [&](wchar_t unit) {
        if (end + 1 >= capacity)
            return false;
        line[end++] = unit;
        return true;
    };
    bool fits = (length == 0 || put(L' ')) && put(L'"');
    size_t backslashes = 0;
    for (const wchar_t* unit = argument; fits && *unit != L'\0'; ++unit) {
        if (*unit == L'"')
            fits = false;
        else
            fits = put(*unit);
        backslashes = *unit == L'\\' ? backslashes + 1 : 0;
    }
    // Backslashes right before the closing quote would escape it.
    while (fits && backslashes-- > 0)
        fits = put(L'\\');
    fits = fits && put(L'"');
    line[fits ? end : length] = L'\0';
    return fits;
}

bool BuildMirrorArguments(wchar_t letter, const wchar_t* directory, wchar_t* arguments, size_t capacity)
{
    wchar_t deviceName[kDeviceNameLength];
    BuildDeviceName(letter, deviceName);
    bool fits = CopyBounded(arguments, capacity, directory != nullptr ? L"/q " : L"/q /d ") &&
                AppendBounded(arguments, capacity, deviceName) &&
                (directory == nullptr || AppendArgument(arguments, capacity, directory));
    if (!fits && capacity > 0)
        arguments[0] = L'\0';
    return fits;
}

bool BuildCommandLine(const wchar_t* program, const wchar_t* arguments, wchar_t* line, size_t capacity)
{
    if (capacity == 0)
        return false;
    line[0] = L'\0';
    bool fits = AppendArgument(line, capacity, program) && AppendBounded(line, capacity, L" ") &&
                AppendBounded(line, capacity, arguments);
    if (!fits)
        line[0] = L'\0';
    return fits;
}
