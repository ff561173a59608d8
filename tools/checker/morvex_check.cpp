// An outside view of Morvex for end-to-end runs and screenshots: reads the DOS-device
// namespace of the session, and finds and drives the Morvex dialog of another process.
//   morvex_check query X        target of X:, or "(none)"
//   morvex_check list           every defined letter with its target
//   morvex_check free-letter    the first of Y X W V U T that names no device; exit 1 when none does
//   morvex_check wait-dialog S  waits up to S seconds for the dialog; exit 1 when it does not come
//   morvex_check rect           the dialog's screen rectangle: left top right bottom
//   morvex_check rows           how many rows the drive list shows
//   morvex_check click-row N    clicks row N of the drive list
//   morvex_check press ID       clicks the dialog's button ID
//   morvex_check close          the caption's close box
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr int kDriveListId = 1005;
constexpr int kRowHeight = 44;

struct Search {
    HWND found;
};

BOOL CALLBACK FindMorvexDialog(HWND window, LPARAM parameter)
{
    wchar_t className[32] = L"";
    wchar_t caption[32] = L"";
    GetClassNameW(window, className, 32);
    GetWindowTextW(window, caption, 32);
    if (IsWindowVisible(window) && lstrcmpW(className, L"#32770") == 0 && lstrcmpW(caption, L"Morvex") == 0 &&
        GetDlgItem(window, kDriveListId) != nullptr) {
        reinterpret_cast<Search*>(parameter)->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND MorvexDialog()
{
    Search search = {nullptr};
    EnumWindows(FindMorvexDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int Query(const wchar_t* letter)
{
    wchar_t name[3] = {letter[0], L':', 0};
    wchar_t target[2048];
    if (QueryDosDeviceW(name, target, 2048) == 0)
        wprintf(L"(none)\n");
    else
        wprintf(L"%ls\n", target);
    return 0;
}

int List()
{
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        wchar_t name[3] = {letter, L':', 0};
        wchar_t target[2048];
        if (QueryDosDeviceW(name, target, 2048) != 0)
            wprintf(L"%ls %ls\n", name, target);
    }
    return 0;
}

int FreeLetter()
{
    for (const wchar_t* letter = L"YXWVUT"; *letter != L'\0'; ++letter) {
        wchar_t name[3] = {*letter, L':', 0};
        wchar_t target[2048];
        if (QueryDosDeviceW(name, target, 2048) == 0) {
            wprintf(L"%lc\n", *letter);
            return 0;
        }
    }
    return 1;
}

int WaitDialog(int seconds)
{
    for (int i = 0; i < seconds * 10; ++i) {
        if (MorvexDialog() != nullptr) {
            Sleep(300);   // let it finish painting
            return 0;
        }
        Sleep(100);
    }
    fwprintf(stderr, L"no Morvex dialog\n");
    return 1;
}

int WithDialog(int (*action)(HWND dialog, int argument), int argument)
{
    HWND dialog = MorvexDialog();
    if (dialog == nullptr) {
        fwprintf(stderr, L"no Morvex dialog\n");
        return 1;
    }
    return action(dialog, argument);
}

int PrintRect(HWND dialog, int)
{
    RECT rect = {};
    GetWindowRect(dialog, &rect);
    wprintf(L"%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return 0;
}

int PrintRows(HWND dialog, int)
{
    wprintf(L"%ld\n", static_cast<long>(SendMessageW(GetDlgItem(dialog, kDriveListId), LVM_GETITEMCOUNT, 0, 0)));
    return 0;
}

int ClickRow(HWND dialog, int row)
{
    HWND list = GetDlgItem(dialog, kDriveListId);
    LPARAM point = MAKELPARAM(120, row * kRowHeight + kRowHeight / 2);
    SetForegroundWindow(dialog);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(list, WM_LBUTTONUP, 0, point);
    Sleep(300);
    return 0;
}

int Press(HWND dialog, int id)
{
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    return 0;
}

int Close(HWND dialog, int)
{
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    const wchar_t* command = argv[1];
    int number = argc > 2 ? _wtoi(argv[2]) : 0;
    if (lstrcmpW(command, L"query") == 0 && argc > 2)
        return Query(argv[2]);
    if (lstrcmpW(command, L"list") == 0)
        return List();
    if (lstrcmpW(command, L"free-letter") == 0)
        return FreeLetter();
    if (lstrcmpW(command, L"wait-dialog") == 0)
        return WaitDialog(number > 0 ? number : 20);
    if (lstrcmpW(command, L"rect") == 0)
        return WithDialog(PrintRect, 0);
    if (lstrcmpW(command, L"rows") == 0)
        return WithDialog(PrintRows, 0);
    if (lstrcmpW(command, L"click-row") == 0)
        return WithDialog(ClickRow, number);
    if (lstrcmpW(command, L"press") == 0)
        return WithDialog(Press, number);
    if (lstrcmpW(command, L"close") == 0)
        return WithDialog(Close, 0);
    return 2;
}
