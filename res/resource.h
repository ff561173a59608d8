// Identifiers of the dialog, its controls, commands, icons and strings.
#pragma once

#define IDD_MAIN 100

#define IDC_CLOSE 1000
#define IDC_AUTOSTART 1001
#define IDC_HOMEPAGE_LINK 1002
#define IDC_LETTER_COMBO 1003
#define IDC_PATH_EDIT 1004
#define IDC_DRIVE_LIST 1005
#define IDC_MAIN_TOOLBAR 1006
#define IDC_BROWSE_TOOLBAR 1007

#define IDM_REMOVE 1100
#define IDM_SAVE 1101
#define IDM_NEW 1102
#define IDM_BROWSE 1103
#define IDM_OPEN 1104
#define IDM_FOR_ADMINISTRATORS 1105

#define IDI_APP 200
#define IDI_REMOVE 205
#define IDI_SAVE 206
#define IDI_NEW 207
#define IDI_BROWSE 208

// Texts of each language, in string blocks of 16 (10096 to 10111, 10112 to 10127): the toolbar
// buttons and the drive menu, the states of a saved drive that is not connected, the caption of an
// elevated dialog, the messages, the row title and the folder picker's title.
#define IDS_REMOVE 10100
#define IDS_SAVE 10101
#define IDS_NEW 10102
#define IDS_BROWSE 10103
#define IDS_STATE_NOT_CONNECTED 10104
#define IDS_STATE_LETTER_TAKEN 10105
#define IDS_LETTER_TAKEN 10106
#define IDS_OPEN 10107
#define IDS_FOR_ADMINISTRATORS 10108
#define IDS_ADMINISTRATOR_CAPTION 10109
#define IDS_ELEVATION_FAILED 10110
#define IDS_DESKTOP_STARTUP_FAILED 10111

#define IDS_ERROR_CAPTION 10112
#define IDS_QUESTION_CAPTION 10113
#define IDS_INVALID_PATH 10114
#define IDS_DEFINE_FAILED 10115
#define IDS_SAVE_FAILED 10116
#define IDS_LOAD_QUESTION 10117
#define IDS_ROW_TITLE 10118
#define IDS_BROWSE_TITLE 10119
#define IDS_NOT_VIRTUAL_DRIVE 10120
#define IDS_DESKTOP_DEFINE_FAILED 10121
#define IDS_RUN_VALUE_FAILED 10122
#define IDS_DESKTOP_REMOVE_FAILED 10123
#define IDS_USAGE 10124
#define IDS_NO_OPERATION 10125
#define IDS_DRIVE_UNCHANGED 10126
#define IDS_TEXT_CAPTION 10127
