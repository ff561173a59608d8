// The drives of the settings file in the drive list: a saved drive keeps its row while its letter
// is not mapped, so that Close keeps it in the file. Forgotten all at dialog start and one by one
// when the user removes or moves a drive.
#pragma once

// Remembered in a heap block; a saved line with an empty directory or a letter outside 'A'..'Z'
// is not kept.
void RememberSavedDrive(wchar_t letter, const wchar_t* directory);
void ForgetSavedDrive(wchar_t letter);
void ForgetSavedDrives();
// The saved directory of the letter, null when it has none.
const wchar_t* SavedDirectoryOf(wchar_t letter);
// Rows for the saved drives that have none yet, after the list was filled from the system.
void AddSavedDriveRows();
// The rows of drives that are mapped now.
int ConnectedDriveCount();
