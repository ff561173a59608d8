// The drive list and the letter picker.
#include "mainwindow/drive_list.h"

HFONT g_hBoldFont = nullptr;
