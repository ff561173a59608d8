// Where the settings file lies.
#include "persistence/settings_path.h"

#include "core/bounded_string.h"

const wchar_t kSettingsFileName[] = L"Morvex.ini";

bool FormSettingsPath(wchar_t* path, size_t length)
{
    if (length == 0 || length >= kModulePathLimit)
        return false;
    size_t nameStart = 0;
    for (size_t i = length; i > 0; --i) {
        if (path[i - 1] == L'\\') {
            nameStart = i;
            break;
        }
    }
    CopyBounded(path + nameStart, kModulePathCapacity - nameStart, kSettingsFileName);
    return true;
}
