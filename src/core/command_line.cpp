// Runs the one-shot mode that the command line asks for.
#include "core/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include "core/arguments.h"
#include "core/virtual_drive.h"
#include "persistence/settings_file.h"

bool ParseCommandLine()
{
    if (!HasArguments(GetCommandLineW()))
        return true;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr)
        return true;
    ParsedCommandLine parsed = ParseArguments(count, arguments);
    bool showDialog = false;
    switch (ChooseCommandAction(parsed)) {
    case CommandAction::RemoveDrive:
        SetVirtualDrive(parsed.letter, nullptr);
        break;
    case CommandAction::DefineDrive:
        SetVirtualDrive(parsed.letter, parsed.path);
        break;
    case CommandAction::RunStartup:
        LoadSettings(true);
        break;
    case CommandAction::ShowDialog:
        showDialog = true;
        break;
    }
    LocalFree(arguments);
    return showDialog;
}
