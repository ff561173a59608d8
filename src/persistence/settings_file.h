// The settings file "Morvex.ini" beside the executable: the autostart choice and the saved
// drives. Read at dialog start and in the start-up mode, written by the Close button.
#pragma once

// Reads the file beside the executable. In the start-up mode every saved drive is re-created
// without asking; with the dialog, the check box follows the file, the list keeps the saved
// drives, and they are offered when none is mapped. True in the start-up mode when every saved
// drive was mapped; with the dialog, when the user had them mapped.
bool LoadSettings(bool startupMode);

// Writes the check box and the drive list to the file beside the executable, after bringing
// the Run value in line with a box the user changed. True when the file was written completely.
bool SaveSettings();

bool ReadSettingsFile(const wchar_t* path, bool startupMode);
bool WriteSettingsFile(const wchar_t* path);
