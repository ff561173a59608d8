// Raw targets, record directories and the settings path from directories of any length.
#include <cstdlib>
#include <cwchar>

#include "core/raw_target.h"
#include "fuzz/fuzz_input.h"
#include "mainwindow/dialog_rules.h"
#include "persistence/settings_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<wchar_t> directory = ToUnits(data, size);
    directory.push_back(0);
    size_t length = UnitLength(directory.data());

    wchar_t target[kTargetCapacity];
    if (BuildRawTarget(directory.data(), target, kTargetCapacity)) {
        if (UnitLength(target) >= kTargetCapacity || !IsVirtualDriveTarget(target))
            std::abort();
        // Nothing is cut: a drive path or UNC path reads back whole, less one trailing backslash.
        bool drivePath = length >= 2 && directory[1] == L':';
        bool uncPath = length >= 2 && directory[0] == L'\\' && directory[1] == L'\\' &&
                       !(length >= 4 && (directory[2] == L'?' || directory[2] == L'.') && directory[3] == L'\\');
        if (drivePath || uncPath) {
            wchar_t readBack[kTargetCapacity];
            DirectoryOfTarget(target, readBack, kTargetCapacity);
            size_t kept = length > (uncPath ? 2u : 0u) && directory[length - 1] == L'\\' ? length - 1 : length;
            if (UnitLength(readBack) != kept || std::wmemcmp(readBack + 1, directory.data() + 1, kept - 1) != 0)
                std::abort();
        }
    } else if (target[0] != 0) {
        std::abort();
    }

    DriveRecord record;
    FillDriveRecord(&record, L'X', directory.data());
    if (UnitLength(record.directory) >= kRecordDirectoryCapacity)
        std::abort();

    wchar_t path[kModulePathCapacity] = {};
    size_t copied = length < kModulePathCapacity - 1 ? length : kModulePathCapacity - 1;
    std::wmemcpy(path, directory.data(), copied);
    if (FormSettingsPath(path, copied) && UnitLength(path) >= kModulePathCapacity)
        std::abort();
    return 0;
}
