// The settings file "Morvex.ini" beside the executable: the autostart choice and the saved
// drives. Read at dialog start and in the start-up mode, written by the Close button.
#pragma once

// Reads the file beside the executable. In the start-up mode every saved drive is re-created
// without asking; with the dialog, the check box follows the file and the saved drives are
// offered when the list is empty. True when saved drives were applied; in the start-up mode,
// only when every one of them was.
bool LoadSettings(bool startupMode);

// Writes the check box and the drive list to the file beside the executable, after bringing
// the Run value in line. True when the file was written completely.
bool SaveSettings();

bool ReadSettingsFile(const wchar_t* path, bool startupMode);
bool WriteSettingsFile(const wchar_t* path);
