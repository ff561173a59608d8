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
    const size_t length = BoundedLength(line, capacity);
    size_t end = length + (length > 0 ? 1 : 0);
    size_t backslashes = 0;
    for (const wchar_t* unit = argument; *unit != L'\0'; ++unit) {
        if (*unit == L'"')
            return false;
        backslashes = *unit == L'\\' ? backslashes + 1 : 0;
    }
    // The argument, its quotes, and the backslashes before the closing quote doubled: they would
    // escape it.
    const size_t argumentLength = BoundedLength(argument, capacity);
    if (end + argumentLength + backslashes + 2 >= capacity)
        return false;
    if (length > 0)
        line[length] = L' ';
    line[end++] = L'"';
    for (size_t i = 0; i < argumentLength; ++i)
        line[end++] = argument[i];
    for (; backslashes > 0; --backslashes)
        line[end++] = L'\\';
    line[end++] = L'"';
    line[end] = L'\0';
    return true;
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
