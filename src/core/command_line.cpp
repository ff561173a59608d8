// Runs the one-shot mode that the command line asks for.
#include "core/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include "core/arguments.h"
#include "core/desktop_mirror.h"
#include "core/drive_letter.h"
#include "core/messages.h"
#include "core/output_rules.h"
#include "core/standard_output.h"
#include "core/virtual_drive.h"
#include "persistence/settings_file.h"
#include "res/resource.h"

namespace {

// A quiet script learns of the failures that have no box too: a letter held by another device,
// a removal the system refused, a removal of a letter that is no virtual drive.
bool ChangeDrive(wchar_t letter, const wchar_t* path, bool quiet)
{
    wchar_t deviceName[kDeviceNameLength];
    BuildDeviceName(letter, deviceName);
    wchar_t directory[kTargetCapacity];
    if (quiet && path == nullptr && ReadVirtualDrive(letter, directory, kTargetCapacity) == DriveQuery::NotVirtual) {
        ShowError(IDS_NOT_VIRTUAL_DRIVE, deviceName);
        return false;
    }
    if (SetVirtualDrive(letter, path))
        return MirrorDriveToDesktop(letter, path);
    if (quiet && !ErrorWasReported())
        ShowError(IDS_DRIVE_UNCHANGED, deviceName);
    return false;
}

void ListVirtualDrives()
{
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        wchar_t directory[kTargetCapacity];
        if (QueryVirtualDrive(letter, directory, kTargetCapacity) != DriveQuery::Virtual)
            continue;
        wchar_t line[kListLineCapacity];
        BuildListLine(letter, directory, line, kListLineCapacity);
        WriteStandardLine(StandardStream::Output, line);
    }
}

}  // namespace

bool ParseCommandLine(int* exitStatus)
{
    *exitStatus = kExitDone;
    if (!HasArguments(GetCommandLineW()))
        return true;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr)
        return true;
    ParsedCommandLine parsed = ParseArguments(count, arguments);
    if (parsed.quiet)
        EnterQuietMode();
    CommandAction action = ChooseCommandAction(parsed);
    bool succeeded = true;
    switch (action) {
    case CommandAction::ShowUsage:
        ShowText(IDS_USAGE);
        break;
    case CommandAction::ListDrives:
        ListVirtualDrives();
        break;
    case CommandAction::RemoveDrive:
        succeeded = ChangeDrive(parsed.letter, nullptr, parsed.quiet);
        break;
    case CommandAction::DefineDrive:
        succeeded = ChangeDrive(parsed.letter, parsed.path, parsed.quiet);
        break;
    case CommandAction::RunStartup:
        succeeded = LoadSettings(true);
        break;
    case CommandAction::NoOperation:
        ShowError(IDS_NO_OPERATION);
        break;
    case CommandAction::ShowDialog:
        break;
    }
    LocalFree(arguments);
    *exitStatus = ExitStatusOf(action, parsed.quiet, succeeded && !ErrorWasReported());
    return action == CommandAction::ShowDialog;
}
