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

bool IsStartupMarkDisabled(const unsigned char* data, size_t size)
{
    return size > 0 && (data[0] & 1) != 0;
}

bool RunCommandProgram(const wchar_t* command, wchar_t* program, size_t capacity)
{
    const bool quoted = command[0] == L'"';
    const wchar_t* start = quoted ? command + 1 : command;
    const wchar_t end = quoted ? L'"' : L' ';
    size_t length = 0;
    while (start[length] != L'\0' && start[length] != end)
        ++length;
    if (length == 0 || length >= capacity || (quoted && start[length] != L'"'))
        return false;
    for (size_t i = 0; i < length; ++i)
        program[i] = start[i];
    program[length] = L'\0';
    return true;
}

RunValueChange RunValueChangeAtClose(bool checked, bool shownChecked, bool namesThisExecutableElsewhere)
{
    if (checked != shownChecked)
        return checked ? RunValueChange::Write : RunValueChange::Delete;
    return namesThisExecutableElsewhere ? RunValueChange::Write : RunValueChange::Leave;
}
