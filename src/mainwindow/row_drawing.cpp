// Painting of the drive list's rows.
#include "mainwindow/row_drawing.h"


#include "core/app_globals.h"
#include "core/bounded_string.h"
#include "mainwindow/colour_scheme.h"
#include "mainwindow/dialog_rules.h"
#include "mainwindow/drive_list.h"
#include "mainwindow/program_icons.h"
#include "mainwindow/row_geometry.h"
#include "res/resource.h"

HICON g_hItemIcon = nullptr;
HICON g_hDimmedItemIcon = nullptr;

namespace {

constexpr int kTextCapacity = 256;
// Between a title and the state of a drive that is not connected, at 96 DPI.
constexpr int kStateGap = 8;

struct SelectionColours {
    COLORREF outer;
    COLORREF inner;
    COLORREF top;
    COLORREF bottom;
};

constexpr SelectionColours kFocusedColours = {0x00F5C8AA, 0x00FAFAE6, 0x00FAF0D2, 0x00FAD7B9};
constexpr SelectionColours kUnfocusedColours = {0x00DCDCDC, 0x00F5F5F5, 0x00FAFAFA, 0x00EBEBEB};

RECT ToRect(const RowRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

void FillVertex(TRIVERTEX* vertex, LONG x, LONG y, COLORREF colour)
{
    vertex->x = x;
    vertex->y = y;
    vertex->Red = static_cast<COLOR16>(GetRValue(colour) << 8);
    vertex->Green = static_cast<COLOR16>(GetGValue(colour) << 8);
    vertex->Blue = static_cast<COLOR16>(GetBValue(colour) << 8);
    vertex->Alpha = 0;
}

int TextHeight(HDC hdc)
{
    TEXTMETRICW metrics = {};
    GetTextMetricsW(hdc, &metrics);
    return metrics.tmHeight;
}

HBRUSH RowBackground()
{
    // A system colour's index plus one stands for that colour's brush.
    return g_bSystemColours ? reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)
                            : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

SelectionColours SelectedRowColours(bool focused)
{
    if (!g_bSystemColours)
        return focused ? kFocusedColours : kUnfocusedColours;
    // The system's highlight, flat: the gradient runs from it to itself.
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    return {highlight, highlight, highlight, highlight};
}

COLORREF RowTextColour(bool selected)
{
    if (!g_bSystemColours)
        return 0x00000000;
    return GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
}

// A drive that is not connected: grey on its own, but the highlight's text colour on the
// system's highlight, where grey might not be read.
COLORREF DimmedTextColour(bool selected)
{
    if (!g_bSystemColours)
        return 0x00808080;
    return GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT);
}

// The focused row is marked while the list shows keyboard cues: its window's UI state says so
// (a row drawn for no window has none to show).
bool ShowsFocusCue(const DRAWITEMSTRUCT* drawItem)
{
    if ((drawItem->itemState & ODS_FOCUS) == 0 || drawItem->hwndItem == nullptr)
        return false;
    return (SendMessageW(drawItem->hwndItem, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

// "not connected" or "letter in use by another drive", in the list's font behind the title.
void DrawDriveState(HDC hdc, const DriveRecord* record, RECT title, int titleWidth)
{
    wchar_t state[kTextCapacity];
    LoadDriveStateText(record->state, state, kTextCapacity);
    title.left += titleWidth + ScaleForDpi(kStateGap, g_uDpi);
    DrawTextW(hdc, state, -1, &title, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void DrawRowTexts(HDC hdc, const RowRect& item, const DriveRecord* record, bool selected)
{
    const bool connected = record->state == DriveState::Connected;
    const int listHeight = TextHeight(hdc);
    HGDIOBJ listFont = SelectObject(hdc, g_hBoldFont);
    COLORREF previousColour = SetTextColor(hdc, connected ? RowTextColour(selected) : DimmedTextColour(selected));
    // The list hands over its DC with an opaque highlight behind text; the texts belong on the gradient.
    int previousMode = SetBkMode(hdc, TRANSPARENT);
    const int boldHeight = TextHeight(hdc);
    const RowGeometry geometry = ComputeRowGeometry(item, listHeight, boldHeight, g_uDpi);

    wchar_t format[kTextCapacity] = L"";
    LoadStringW(g_hInstance, IDS_ROW_TITLE, format, kTextCapacity);
    wchar_t text[kTextCapacity];
    FormatBounded(text, kTextCapacity, format, record->letter);
    RECT title = ToRect(geometry.title);
    DrawTextW(hdc, text, -1, &title, DT_SINGLELINE);
    SIZE titleExtent = {};
    GetTextExtentPoint32W(hdc, text, static_cast<int>(BoundedLength(text, kTextCapacity)), &titleExtent);
    SelectObject(hdc, listFont);
    if (!connected)
        DrawDriveState(hdc, record, title, titleExtent.cx);
    SetTextColor(hdc, RowTextColour(selected));

    CopyBounded(text, kTextCapacity, record->directory);
    RECT directory = ToRect(geometry.directory);
    // Too wide to be shown whole: let the shortening keep the last folder's name.
    SIZE extent = {};
    if (GetTextExtentPoint32W(hdc, text, static_cast<int>(BoundedLength(text, kTextCapacity)), &extent) &&
        extent.cx > directory.right - directory.left)
        DropTrailingBackslash(text);
    // Without DT_NOPREFIX "D:\R&D\" would lose its ampersand and underline the D.
    DrawTextW(hdc, text, -1, &directory, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_NOPREFIX);
    SetBkMode(hdc, previousMode);
    SetTextColor(hdc, previousColour);
}

}  // namespace

void DrawSelectionFrame(HDC hdc, const RECT* rect, COLORREF outerColour, COLORREF innerColour, unsigned dpi)
{
    const RowGeometry geometry = ComputeRowGeometry({rect->left, rect->top, rect->right, rect->bottom}, 0, 0, dpi);
    // A wider pen is centred on the outline; inside the frame it keeps the outlines apart.
    const int style = geometry.line > 1 ? PS_INSIDEFRAME : PS_SOLID;
    COLORREF window = GetSysColor(COLOR_WINDOW);
    RECT r = *rect;
    HPEN outerPen = CreatePen(style, geometry.line, outerColour);
    HGDIOBJ previousPen = SelectObject(hdc, outerPen);
    HBRUSH brush = CreateSolidBrush(window);
    HGDIOBJ previousBrush = SelectObject(hdc, brush);
    RoundRect(hdc, r.left, r.top, r.right, r.bottom, geometry.outerCorner, geometry.outerCorner);
    InflateRect(&r, -geometry.line, -geometry.line);
    SelectObject(hdc, previousPen);
    DeleteObject(outerPen);

    HPEN innerPen = CreatePen(style, geometry.line, innerColour);
    SelectObject(hdc, innerPen);
    RoundRect(hdc, r.left, r.top, r.right, r.bottom, geometry.innerCorner, geometry.innerCorner);
    SelectObject(hdc, previousPen);
    DeleteObject(innerPen);
    SelectObject(hdc, previousBrush);
    DeleteObject(brush);
}

BOOL FillVerticalGradient(HDC hdc, const RECT* rect, COLORREF topColour, COLORREF bottomColour)
{
    TRIVERTEX vertices[2];
    FillVertex(&vertices[0], rect->left, rect->top, topColour);
    FillVertex(&vertices[1], rect->right, rect->bottom, bottomColour);
    GRADIENT_RECT gradient = {0, 1};
    return GradientFill(hdc, vertices, 2, &gradient, 1, GRADIENT_FILL_RECT_V);
}

void DrawDriveItem(HWND, const DRAWITEMSTRUCT* drawItem)
{
    if (drawItem->CtlID != IDC_DRIVE_LIST)
        return;
    HDC hdc = drawItem->hDC;
    const RECT& rcItem = drawItem->rcItem;
    const RowRect item = {rcItem.left, rcItem.top, rcItem.right, rcItem.bottom};
    // The font heights only move the texts; frame, gradient and icon do not depend on them.
    const RowGeometry geometry = ComputeRowGeometry(item, 0, 0, g_uDpi);

    const bool selected = (drawItem->itemState & ODS_SELECTED) != 0;
    FillRect(hdc, &rcItem, RowBackground());
    if (selected) {
        const SelectionColours colours = SelectedRowColours((drawItem->itemState & ODS_FOCUS) != 0);
        RECT frame = ToRect(geometry.frame);
        DrawSelectionFrame(hdc, &frame, colours.outer, colours.inner, g_uDpi);
        RECT inner = ToRect(geometry.inner);
        FillVerticalGradient(hdc, &inner, colours.top, colours.bottom);
    }

    const auto* record = reinterpret_cast<const DriveRecord*>(drawItem->itemData);
    if (g_hItemIcon == nullptr)
        g_hItemIcon = LoadProgramIcon(IDI_APP, geometry.iconSize);
    HICON icon = g_hItemIcon;
    if (record != nullptr && record->state != DriveState::Connected) {
        if (g_hDimmedItemIcon == nullptr)
            g_hDimmedItemIcon = MakeDimmedIcon(g_hItemIcon, geometry.iconSize);
        if (g_hDimmedItemIcon != nullptr)
            icon = g_hDimmedItemIcon;
    }
    // At its own size: DrawIcon would draw at the system's icon size, which need not be this DPI's.
    DrawIconEx(hdc, geometry.iconLeft, geometry.iconTop, icon, geometry.iconSize, geometry.iconSize, 0, nullptr,
               DI_NORMAL);

    if (record != nullptr)
        DrawRowTexts(hdc, item, record, selected);
    // On the row's outer ring, which is the background in every state.
    if (ShowsFocusCue(drawItem))
        DrawFocusRect(hdc, &rcItem);
}

void ReleaseRowIcon()
{
    HICON* icons[] = {&g_hItemIcon, &g_hDimmedItemIcon};
    for (HICON* icon : icons) {
        if (*icon != nullptr)
            DestroyIcon(*icon);
        *icon = nullptr;
    }
}
