// The two toolbars beside the letter combo and the path box.
#include "mainwindow/toolbars.h"

#include "core/app_globals.h"
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
constexpr int kButtonWidth = 24;
constexpr int kButtonHeight = 22;
constexpr int kMainToolbarWidth = 84;
constexpr int kTextCapacity = 256;

struct ButtonResources {
    int command;
    int icon;
    int text;
};

const ButtonResources kMainButtons[] = {
    {IDM_REMOVE, IDI_REMOVE, IDS_REMOVE},
    {IDM_SAVE, IDI_SAVE, IDS_SAVE},
    {IDM_NEW, IDI_NEW, IDS_NEW},
};
const ButtonResources kBrowseButton = {IDM_BROWSE, IDI_BROWSE, IDS_BROWSE};

RECT ControlRectangle(HWND dialog, int id)
{
    RECT rectangle = {};
    GetWindowRect(GetDlgItem(dialog, id), &rectangle);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rectangle), 2);
    return rectangle;
}

HWND CreateToolbarWindow(HWND dialog, int id, int x, int y, int width, HIMAGELIST* imageList)
{
    HWND toolbar = CreateWindowExW(WS_EX_TOOLWINDOW, TOOLBARCLASSNAMEW, nullptr, kToolbarStyle, x, y, width,
                                   kButtonHeight, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   g_hInstance, nullptr);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, kToolbarExtendedStyle);
    *imageList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(*imageList));
    return toolbar;
}

TBBUTTON MakeButton(HWND toolbar, HIMAGELIST imageList, const ButtonResources& resources)
{
    TBBUTTON button = {};
    // LoadIconW hands out a shared icon that lives with the module: it is copied, never destroyed.
    HICON icon = LoadIconW(g_hInstance, MAKEINTRESOURCEW(resources.icon));
    button.iBitmap = ImageList_ReplaceIcon(imageList, -1, icon);
    button.idCommand = resources.command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    button.dwData = 0;
    // Cleared for every text: TB_ADDSTRING reads up to a double terminator, and a shorter text
    // must not be followed by the rest of a longer one.
    wchar_t text[kTextCapacity] = {};
    LoadStringW(g_hInstance, resources.text, text, kTextCapacity);
    button.iString = SendMessageW(toolbar, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(text));
    return button;
}

void FinishToolbar(HWND toolbar, const TBMETRICS& metrics, TBBUTTON* buttons, int count)
{
    SendMessageW(toolbar, TB_ADDBUTTONSW, count, reinterpret_cast<LPARAM>(buttons));
    SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELONG(kButtonWidth, kButtonHeight));
    SendMessageW(toolbar, TB_SETMETRICS, 0, reinterpret_cast<LPARAM>(&metrics));
}

void SetButtonState(int command, ButtonState state)
{
    if (state == ButtonState::Unchanged)
        return;
    // 0 clears every other state bit too, as a disabled button needs.
    LPARAM value = state == ButtonState::Enabled ? TBSTATE_ENABLED : 0;
    SendMessageW(g_hwndMainToolbar, TB_SETSTATE, command, value);
}

}  // namespace

void ApplyToolbarStates(const ToolbarStates& states)
{
    SetButtonState(IDM_REMOVE, states.remove);
    SetButtonState(IDM_SAVE, states.save);
    SetButtonState(IDM_NEW, states.create);
}

void CreateToolbars(HWND dialog)
{
    RECT list = ControlRectangle(dialog, IDC_DRIVE_LIST);
    RECT combo = ControlRectangle(dialog, IDC_LETTER_COMBO);
    TBMETRICS metrics = {};
    metrics.cbSize = sizeof(metrics);
    metrics.dwMask = TBMF_PAD | TBMF_BUTTONSPACING;
    metrics.cxPad = kButtonWidth;
    metrics.cyPad = kButtonHeight;
    metrics.cxButtonSpacing = 4;
    metrics.cyButtonSpacing = 4;

    g_hwndMainToolbar = CreateToolbarWindow(dialog, IDC_MAIN_TOOLBAR, list.left, combo.top, kMainToolbarWidth,
                                            &g_himlMainToolbar);
    TBBUTTON mainButtons[3];
    for (int i = 0; i < 3; ++i)
        mainButtons[i] = MakeButton(g_hwndMainToolbar, g_himlMainToolbar, kMainButtons[i]);
    FinishToolbar(g_hwndMainToolbar, metrics, mainButtons, 3);
    ApplyToolbarStates(StatesAtCreation());

    g_hwndBrowseToolbar = CreateToolbarWindow(dialog, IDC_BROWSE_TOOLBAR, list.right - kButtonWidth, combo.top,
                                              kButtonWidth, &g_himlBrowseToolbar);
    TBBUTTON browseButton = MakeButton(g_hwndBrowseToolbar, g_himlBrowseToolbar, kBrowseButton);
    FinishToolbar(g_hwndBrowseToolbar, metrics, &browseButton, 1);
}
