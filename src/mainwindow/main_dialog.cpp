// The main dialog: its procedure, its initialisation and the device-change refresh.
#include "mainwindow/main_dialog.h"

#include <commctrl.h>
#include <dbt.h>
#include <objbase.h>

#include <initializer_list>

#include "controls/dpi.h"
#include "controls/hyperlink.h"
#include "controls/visual_styles.h"
#include "core/app_globals.h"
#include "core/desktop_session.h"
#include "core/dll_search.h"
#include "mainwindow/homepage.h"
#include "mainwindow/colour_scheme.h"
#include "mainwindow/commands.h"
#include "mainwindow/drive_list.h"
#include "mainwindow/saved_drive_rows.h"
#include "mainwindow/drive_menu.h"
#include "mainwindow/letter_picker.h"
#include "mainwindow/open_dialog.h"
#include "mainwindow/program_icons.h"
#include "mainwindow/row_drawing.h"
#include "mainwindow/toolbars.h"
#include "persistence/settings_file.h"
#include "res/resource.h"

namespace {

constexpr UINT kApplyDpiMessage = WM_APP + 1;
// From the dialog's start to its first paint: the activation that shows it finds the list fresh.
bool g_showingDialog = false;

void SetWindowIcons(HWND dialog)
{
    HICON bigIcon = LoadProgramIcon(IDI_APP, GetSystemMetrics(SM_CXICON));
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    HICON smallIcon = LoadProgramIcon(IDI_APP, GetSystemMetrics(SM_CXSMICON));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
}

// List and combo read anew from the system, keeping the selected drive's letter and the user's
// still-free pick.
void RefreshFromSystem()
{
    RefreshAllDrives();
    FillLetterCombo(SelectedLetter(), ChosenLetter());
}

void OnDeviceChange(WPARAM event)
{
    if (event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE)
        RefreshFromSystem();
}

// Another program may change drives without an announcement; the user sees them on coming back.
void OnActivate(WPARAM state)
{
    if (LOWORD(state) != WA_ACTIVE && LOWORD(state) != WA_CLICKACTIVE)
        return;
    // The activation that shows the dialog comes a moment after the list was read from the system.
    if (g_showingDialog)
        return;
    RefreshFromSystem();
}

// Restored from the taskbar, the dialog is shown anew: the list is read as it opens, and the
// activation that comes with it, if any, finds it fresh. A dialog started minimised is first seen here.
void OnQueryOpen()
{
    RefreshFromSystem();
    g_showingDialog = true;
}

// The window moves to a display of another scaling: take the place the system suggests, and
// rebuild what belongs to a DPI once the dialog manager has given the controls their new fonts.
void OnDpiChanged(HWND dialog, WPARAM dpi, const RECT* suggested)
{
    g_uDpi = LOWORD(dpi);
    SetWindowPos(dialog, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageW(dialog, kApplyDpiMessage, 0, 0);
}

void OnApplyDpi(HWND dialog)
{
    ApplyDpiToDriveList();
    ApplyDpiToToolbars(dialog);
    ReleaseRowIcon();
    InvalidateRect(dialog, nullptr, TRUE);
}

// Windows keeps messages of programs that are not elevated, Explorer's drops among them, from an
// elevated window unless it lets them through (Windows 7 and later).
void LetDropsThrough(HWND dialog)
{
    BOOL(WINAPI * allow)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT) = nullptr;
    if (!BindFunction(GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx", &allow))
        return;
    constexpr UINT kCopyGlobalData = 0x0049;
    for (UINT message : {UINT(WM_DROPFILES), UINT(WM_COPYDATA), kCopyGlobalData})
        allow(dialog, message, MSGFLT_ALLOW, nullptr);
}

// An elevated dialog beside the desktop's session says so: its drives are made in both.
void NameTheSession(HWND dialog)
{
    if (DesktopSessionKind() != SessionKind::ElevatedBesideDesktop)
        return;
    wchar_t caption[64] = L"";
    if (LoadStringW(g_hInstance, IDS_ADMINISTRATOR_CAPTION, caption, 64) > 0)
        SetWindowTextW(dialog, caption);
}

void OnNotify(HWND dialog, const NMHDR* header)
{
    if (header->idFrom != IDC_DRIVE_LIST)
        return;
    if (header->code == LVN_ITEMCHANGED)
        OnDriveSelectionChanged(reinterpret_cast<const NMLISTVIEW*>(header));
    else if (header->code == LVN_DELETEITEM)
        OnDriveRowDeleted(reinterpret_cast<const NMLISTVIEW*>(header));
    else if (header->code == NM_DBLCLK)
        OnDriveListDoubleClick(dialog, reinterpret_cast<const NMITEMACTIVATE*>(header));
}

}  // namespace

void OnInitDialog(HWND dialog)
{
    g_hwndMain = dialog;
    MarkOpenDialog(dialog);
    g_uDpi = WindowDpi(dialog);
    InitVisualStyles(dialog);
    SetWindowIcons(dialog);
    if (g_themeApi.EnableThemeDialogTexture != nullptr)
        g_themeApi.EnableThemeDialogTexture(dialog, ETDT_ENABLETAB);
    MakeHyperlink(GetDlgItem(dialog, IDC_HOMEPAGE_LINK), kHomepageUrl, nullptr, nullptr,
                  HLF_FOCUSABLE | HLF_AUTOSIZE);
    NameTheSession(dialog);
    LetDropsThrough(dialog);
    g_offerForAdministrators = IsAdministratorUnderUac();
    CreateToolbars(dialog);
    ConfigureDriveList();
    ApplyColourScheme(dialog);
    // The shell's calls want COM on their thread: opening a drive, the folder picker, completion.
    // It stays initialised for the life of the dialog thread.
    CoInitialize(nullptr);
    // Path completion waits for the path box's focus (OnCommand): it costs the start more than
    // anything the user sees first.
    g_pathCompletionPending = true;
    g_showingDialog = true;
    ForgetSavedDrives();
    FillDriveList();
    FillLetterCombo(0, 0);
    // Drives loaded from the file are announced on Windows but not under Wine: list them either way.
    if (LoadSettings(false))
        RefreshFromSystem();
    else
        AddSavedDriveRows();
}

INT_PTR CALLBACK MainDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        break;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        break;
    case WM_NOTIFY:
        OnNotify(dialog, reinterpret_cast<const NMHDR*>(lParam));
        break;
    case WM_CONTEXTMENU:
        OnDriveListMenu(dialog, reinterpret_cast<HWND>(wParam), lParam);
        break;
    case WM_DROPFILES:
        OnDropFiles(dialog, reinterpret_cast<HDROP>(wParam));
        break;
    case WM_DRAWITEM:
        DrawDriveItem(dialog, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        break;
    case WM_DEVICECHANGE:
        OnDeviceChange(wParam);
        break;
    case WM_ACTIVATE:
        OnActivate(wParam);
        break;
    case WM_QUERYOPEN:
        OnQueryOpen();
        break;
    case WM_DPICHANGED:
        OnDpiChanged(dialog, wParam, reinterpret_cast<const RECT*>(lParam));
        break;
    case kApplyDpiMessage:
        OnApplyDpi(dialog);
        break;
    case WM_PAINT:
        g_showingDialog = false;
        break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        OnColoursChanged(dialog, message, wParam, lParam);
        break;
    case WM_THEMECHANGED:
        RefreshThemes(dialog);
        break;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        break;
    case WM_DESTROY:
        UnmarkOpenDialog(dialog);
        break;
    default:
        break;
    }
    // FALSE for everything, WM_INITDIALOG included: the dialog manager sets no initial focus.
    return FALSE;
}
