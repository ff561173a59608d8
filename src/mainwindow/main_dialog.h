// The main dialog: its procedure, its initialisation and the device-change refresh.
#pragma once
#include <windows.h>

INT_PTR CALLBACK MainDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Wires the dialog together at WM_INITDIALOG.
void OnInitDialog(HWND dialog);
