// The two toolbars beside the letter combo and the path box.
#include "mainwindow/toolbars.h"

#include <shellapi.h>

#include "core/app_globals.h"
#include "core/dll_search.h"
#include "controls/dpi_rules.h"
#include "mainwindow/commands.h"
#include "mainwindow/keyboard.h"
#include "mainwindow/program_icons.h"
#include "res/resource.h"

HWND g_hwndMainToolbar = nullptr;
HWND g_hwndBrowseToolbar = nullptr;
HIMAGELIST g_himlMainToolbar = nullptr;
HIMAGELIST g_himlBrowseToolbar = nullptr;

namespace {

constexpr DWORD kToolbarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP |
                                TBSTYLE_TRANSPARENT | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
                                CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_BOTTOM;
constexpr DWORD kToolbarExtendedStyle = TBSTYLE_EX_MIXEDBUTTONS | TBSTYLE_EX_DOUBLEBUFFER;
// Sizes at 96 DPI.
constexpr int kIconSize = 16;
constexpr int kButtonWidth = 24;
constexpr int kButtonHeight = 22;
constexpr int kButtonSpacing = 4;
constexpr int kMainToolbarWidth = 84;

struct ButtonResources {
    int command;
    int icon;
    int text;
};

// The last, For administrator programs with the system's shield, only where it is offered.
constexpr int kMostMainButtons = 4;
const ButtonResources kMainButtons[kMostMainButtons] = {
    {IDM_REMOVE, IDI_REMOVE, IDS_REMOVE},
    {IDM_SAVE, IDI_SAVE, IDS_SAVE},
    {IDM_NEW, IDI_NEW, IDS_NEW},
    {IDM_FOR_ADMINISTRATORS, 0, IDS_FOR_ADMINISTRATORS},
};
const ButtonResources kBrowseButton = {IDM_BROWSE, IDI_BROWSE, IDS_BROWSE};

RECT ControlRectangle(HWND dialog, int id)
{
    RECT rectangle = {};
    GetWindowRect(GetDlgItem(dialog, id), &rectangle);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rectangle), 2);
    return rectangle;
}

HWND CreateToolbarWindow(HWND dialog, int id)
{
    HWND toolbar = CreateWindowExW(WS_EX_TOOLWINDOW, TOOLBARCLASSNAMEW, nullptr, kToolbarStyle, 0, 0, 0, 0, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_hInstance, nullptr);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, kToolbarExtendedStyle);
    return toolbar;
}

// The buttons' icons at the dialog's DPI, in button order; indexes[i] receives the index of button
// i's icon. The toolbar gets the new list and the one of an earlier DPI is released.
// The system's shield (Vista and later, where elevation exists), drawn at the list's size; -1
// without it.
int AddShieldImage(HIMAGELIST images)
{
    HRESULT(WINAPI * stockIconInfo)(SHSTOCKICONID, UINT, SHSTOCKICONINFO*) = nullptr;
    SHSTOCKICONINFO shield = {};
    shield.cbSize = sizeof shield;
    if (!BindFunction(LoadSystemLibrary(L"shell32.dll"), "SHGetStockIconInfo", &stockIconInfo) ||
        FAILED(stockIconInfo(SIID_SHIELD, SHGSI_ICON | SHGSI_SMALLICON, &shield)))
        return -1;
    int index = ImageList_ReplaceIcon(images, -1, shield.hIcon);
    DestroyIcon(shield.hIcon);
    return index;
}

HIMAGELIST SetButtonImages(HWND toolbar, const ButtonResources* buttons, int count, int* indexes)
{
    const int size = ScaleForDpi(kIconSize, g_uDpi);
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 1);
    for (int i = 0; i < count; ++i)
        indexes[i] = buttons[i].icon != 0 ? AddProgramIconImage(images, buttons[i].icon, size) : AddShieldImage(images);
    auto previous =
        reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)));
    if (previous != nullptr)
        ImageList_Destroy(previous);
    return images;
}

TBBUTTON MakeButton(HWND toolbar, int image, const ButtonResources& resources)
{
    TBBUTTON button = {};
    button.iBitmap = image;
    button.idCommand = resources.command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    button.dwData = 0;
    // Cleared for every text: TB_ADDSTRING reads up to a double terminator, and a shorter text
    // must not be followed by the rest of a longer one.
    constexpr int kTextCapacity = 256;
    wchar_t text[kTextCapacity] = {};
    LoadStringW(g_hInstance, resources.text, text, kTextCapacity);
    button.iString = SendMessageW(toolbar, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(text));
    return button;
}

// Button size, metrics and place at the dialog's DPI; the toolbar keeps exactly the place given.
void PlaceToolbar(HWND toolbar, int x, int y, int width)
{
    const int buttonWidth = ScaleForDpi(kButtonWidth, g_uDpi);
    const int buttonHeight = ScaleForDpi(kButtonHeight, g_uDpi);
    SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELONG(buttonWidth, buttonHeight));
    TBMETRICS metrics = {};
    metrics.cbSize = sizeof(metrics);
    metrics.dwMask = TBMF_PAD | TBMF_BUTTONSPACING;
    metrics.cxPad = buttonWidth;
    metrics.cyPad = buttonHeight;
    metrics.cxButtonSpacing = ScaleForDpi(kButtonSpacing, g_uDpi);
    metrics.cyButtonSpacing = ScaleForDpi(kButtonSpacing, g_uDpi);
    SendMessageW(toolbar, TB_SETMETRICS, 0, reinterpret_cast<LPARAM>(&metrics));
    SetWindowPos(toolbar, nullptr, x, y, width, buttonHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetButtonState(int command, ButtonState state)
{
    if (state == ButtonState::Unchanged)
        return;
    // 0 clears every other state bit too, as a disabled button needs.
    LPARAM value = state == ButtonState::Enabled ? TBSTATE_ENABLED : 0;
    SendMessageW(g_hwndMainToolbar, TB_SETSTATE, command, value);
}

// The main toolbar's fourth button takes room from the combo's left and the path box.
void MakeRoomForFourthButton(HWND dialog)
{
    const int room = ScaleForDpi(kButtonWidth + kButtonSpacing, g_uDpi);
    RECT combo = ControlRectangle(dialog, IDC_LETTER_COMBO);
    RECT path = ControlRectangle(dialog, IDC_PATH_EDIT);
    // Moved only: a combo's height is that of its list, which its window rectangle does not give.
    SetWindowPos(GetDlgItem(dialog, IDC_LETTER_COMBO), nullptr, combo.left + room, combo.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(GetDlgItem(dialog, IDC_PATH_EDIT), nullptr, path.left + room, path.top,
                 path.right - path.left - room, path.bottom - path.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceToolbars(HWND dialog)
{
    RECT list = ControlRectangle(dialog, IDC_DRIVE_LIST);
    RECT combo = ControlRectangle(dialog, IDC_LETTER_COMBO);
    const int extraButtons = static_cast<int>(SendMessageW(g_hwndMainToolbar, TB_BUTTONCOUNT, 0, 0)) - 3;
    const int width = kMainToolbarWidth + extraButtons * (kButtonWidth + kButtonSpacing);
    PlaceToolbar(g_hwndMainToolbar, list.left, combo.top, ScaleForDpi(width, g_uDpi));
    const int browseWidth = ScaleForDpi(kButtonWidth, g_uDpi);
    PlaceToolbar(g_hwndBrowseToolbar, list.right - browseWidth, combo.top, browseWidth);
}

}  // namespace

void ApplyToolbarStates(const ToolbarStates& states)
{
    SetButtonState(IDM_REMOVE, states.remove);
    SetButtonState(IDM_SAVE, states.save);
    SetButtonState(IDM_NEW, states.create);
    KeepHotButtonEnabled(g_hwndMainToolbar);
}

void CreateToolbars(HWND dialog)
{
    g_hwndMainToolbar = CreateToolbarWindow(dialog, IDC_MAIN_TOOLBAR);
    const int count = g_offerForAdministrators ? kMostMainButtons : kMostMainButtons - 1;
    int images[kMostMainButtons];
    g_himlMainToolbar = SetButtonImages(g_hwndMainToolbar, kMainButtons, count, images);
    TBBUTTON mainButtons[kMostMainButtons];
    for (int i = 0; i < count; ++i)
        mainButtons[i] = MakeButton(g_hwndMainToolbar, images[i], kMainButtons[i]);
    SendMessageW(g_hwndMainToolbar, TB_ADDBUTTONSW, count, reinterpret_cast<LPARAM>(mainButtons));
    ApplyToolbarStates(StatesAtCreation());
    if (g_offerForAdministrators)
        MakeRoomForFourthButton(dialog);

    g_hwndBrowseToolbar = CreateToolbarWindow(dialog, IDC_BROWSE_TOOLBAR);
    g_himlBrowseToolbar = SetButtonImages(g_hwndBrowseToolbar, &kBrowseButton, 1, images);
    TBBUTTON browseButton = MakeButton(g_hwndBrowseToolbar, images[0], kBrowseButton);
    SendMessageW(g_hwndBrowseToolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&browseButton));
    PlaceToolbars(dialog);
    EnableKeyboard(dialog);
}

void ApplyDpiToToolbars(HWND dialog)
{
    // Added in the same order, the icons keep the indexes that the buttons hold.
    int images[kMostMainButtons];
    const int count = static_cast<int>(SendMessageW(g_hwndMainToolbar, TB_BUTTONCOUNT, 0, 0));
    g_himlMainToolbar = SetButtonImages(g_hwndMainToolbar, kMainButtons, count, images);
    g_himlBrowseToolbar = SetButtonImages(g_hwndBrowseToolbar, &kBrowseButton, 1, images);
    PlaceToolbars(dialog);
}
