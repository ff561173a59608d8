// An outside view of Morvex for end-to-end runs and screenshots: reads the DOS-device
// namespace of the session, and finds and drives the Morvex dialog of another process.
//   morvex_check query X        target of X:, or "(none)"
//   morvex_check list           every defined letter with its target
//   morvex_check free-letter    the first of Y X W V U T that names no device; exit 1 when none does
//   morvex_check wait-dialog S  waits up to S seconds for the dialog, shown, idle and painted;
//                               exit 1 when it does not come
//   morvex_check rect           the dialog's screen rectangle: left top right bottom
//   morvex_check rows           how many rows the drive list shows
//   morvex_check click-row N    clicks row N of the drive list; exit 1 unless the row becomes selected
//   morvex_check press ID       clicks the dialog's button ID; exit 1 when it is missing or disabled,
//                               or the dialog does not handle the click within 10 seconds
//   morvex_check close          the caption's close box; exit 1 when the request cannot be posted
//   morvex_check box S          waits up to S seconds for a message box, prints its caption and
//                               text as "caption=" and "text=" lines in UTF-8, and answers OK
//   morvex_check texts          the dialog's language-dependent texts, one "name=text" line each, in UTF-8
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>

#include "res/resource.h"

namespace {

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
        GetDlgItem(window, IDC_DRIVE_LIST) != nullptr) {
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

BOOL CALLBACK FindUnpainted(HWND window, LPARAM parameter)
{
    if (!GetUpdateRect(window, nullptr, FALSE))
        return TRUE;
    *reinterpret_cast<bool*>(parameter) = true;
    return FALSE;
}

// No part of the dialog waits to be painted.
bool Painted(HWND dialog)
{
    bool unpainted = GetUpdateRect(dialog, nullptr, FALSE) != FALSE;
    if (!unpainted)
        EnumChildWindows(dialog, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

// Polls every 100 ms until the condition holds or the time is up.
template <typename Condition>
bool WaitFor(DWORD milliseconds, Condition holds)
{
    for (DWORD waited = 0;; waited += 100) {
        if (holds())
            return true;
        if (waited >= milliseconds)
            return false;
        Sleep(100);
    }
}

int WaitDialog(int seconds)
{
    const DWORD limit = seconds * 1000;
    const DWORD start = GetTickCount();
    HWND dialog = nullptr;
    if (!WaitFor(limit, [&] { return (dialog = MorvexDialog()) != nullptr; })) {
        fwprintf(stderr, L"no Morvex dialog\n");
        return 1;
    }
    // Screenshots and clicks want the dialog as the user sees it: done with its start, painted.
    DWORD processId = 0;
    GetWindowThreadProcessId(dialog, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    DWORD left = limit - (GetTickCount() - start);
    bool idle = process != nullptr && WaitForInputIdle(process, left) == 0;
    if (process != nullptr)
        CloseHandle(process);
    left = limit - (GetTickCount() - start);
    if (!idle || !WaitFor(left, [&] { return Painted(dialog); })) {
        fwprintf(stderr, L"the Morvex dialog did not become idle and painted\n");
        return 1;
    }
    return 0;
}

// Whatever the console's code page, the texts reach the script intact.
void PrintUtf8Line(const wchar_t* name, const wchar_t* text)
{
    char bytes[1024];
    int length = WideCharToMultiByte(CP_UTF8, 0, name, -1, bytes, sizeof bytes, nullptr, nullptr);
    bytes[length - 1] = '=';
    length += WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes + length, sizeof bytes - length, nullptr, nullptr);
    bytes[length - 1] = '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes, length, &written, nullptr);
}

BOOL CALLBACK FindMessageBox(HWND window, LPARAM parameter)
{
    wchar_t className[32] = L"";
    GetClassNameW(window, className, 32);
    // Message boxes keep their text in a static control with this identifier.
    if (IsWindowVisible(window) && lstrcmpW(className, L"#32770") == 0 && GetDlgItem(window, 0xFFFF) != nullptr) {
        reinterpret_cast<Search*>(parameter)->found = window;
        return FALSE;
    }
    return TRUE;
}

int AnswerBox(int seconds)
{
    for (int i = 0; i < seconds * 10; ++i) {
        Search search = {nullptr};
        EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            wchar_t caption[256] = L"";
            wchar_t text[1024] = L"";
            GetWindowTextW(search.found, caption, 256);
            GetWindowTextW(GetDlgItem(search.found, 0xFFFF), text, 1024);
            PrintUtf8Line(L"caption", caption);
            PrintUtf8Line(L"text", text);
            PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return 0;
        }
        Sleep(100);
    }
    fwprintf(stderr, L"no message box\n");
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
    wprintf(L"%ld\n", static_cast<long>(SendMessageW(GetDlgItem(dialog, IDC_DRIVE_LIST), LVM_GETITEMCOUNT, 0, 0)));
    return 0;
}

// Controls answer into memory of their own process, so the buffer is lent there and read back.
LRESULT SendWithBuffer(HWND window, UINT message, WPARAM wParam, void* buffer, SIZE_T size)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr)
        return 0;
    LRESULT result = 0;
    void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    if (remote != nullptr) {
        WriteProcessMemory(process, remote, buffer, size, nullptr);
        result = SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote, buffer, size, nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return result;
}

// The row's place comes from messages that need no buffer: an x86 Morvex run under qemu cannot
// be lent one (its memory is not where Wine's server writes). Rows are as high as the dialog's
// DPI makes them, and the list has no header.
int ClickRow(HWND dialog, int row)
{
    HWND list = GetDlgItem(dialog, IDC_DRIVE_LIST);
    auto viewHeight = [&](int rows) {
        return HIWORD(SendMessageW(list, LVM_APPROXIMATEVIEWRECT, rows, MAKELPARAM(-1, -1)));
    };
    int rowHeight = viewHeight(2) - viewHeight(1);
    int top = (row - static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0))) * rowHeight;
    RECT client = {};
    if (rowHeight <= 0 || !GetClientRect(list, &client) || top < 0 || top + rowHeight > client.bottom) {
        fwprintf(stderr, L"row %d is not in view\n", row);
        return 1;
    }
    LPARAM point = MAKELPARAM(client.right / 2, top + rowHeight / 2);
    SetForegroundWindow(dialog);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(list, WM_LBUTTONUP, 0, point);
    auto selected = [&] {
        return SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) == row;
    };
    if (!WaitFor(5000, selected) || !WaitFor(5000, [&] { return Painted(dialog); })) {
        fwprintf(stderr, L"row %d was not selected and painted\n", row);
        return 1;
    }
    return 0;
}

// Sent, not posted: it returns once the dialog has handled the click, so that what the click
// changed can be checked right away.
int Press(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr || !IsWindowEnabled(button) || !IsWindowVisible(button)) {
        fwprintf(stderr, L"no enabled and visible button %d\n", id);
        return 1;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &result)) {
        fwprintf(stderr, L"button %d: the click was not handled (error %lu)\n", id, GetLastError());
        return 1;
    }
    return 0;
}

void PrintControlText(HWND dialog, int id, const wchar_t* name)
{
    wchar_t text[256] = L"";
    GetWindowTextW(GetDlgItem(dialog, id), text, 256);
    PrintUtf8Line(name, text);
}

void PrintButtonText(HWND dialog, int toolbarId, int command, const wchar_t* name)
{
    wchar_t text[256] = L"";
    SendWithBuffer(GetDlgItem(dialog, toolbarId), TB_GETBUTTONTEXTW, command, text, sizeof text);
    text[255] = L'\0';
    PrintUtf8Line(name, text);
}

int PrintTexts(HWND dialog, int)
{
    PrintControlText(dialog, IDC_AUTOSTART, L"autostart");
    PrintControlText(dialog, IDC_CLOSE, L"close");
    PrintButtonText(dialog, IDC_MAIN_TOOLBAR, IDM_REMOVE, L"remove");
    PrintButtonText(dialog, IDC_MAIN_TOOLBAR, IDM_SAVE, L"save");
    PrintButtonText(dialog, IDC_MAIN_TOOLBAR, IDM_NEW, L"new");
    PrintButtonText(dialog, IDC_BROWSE_TOOLBAR, IDM_BROWSE, L"browse");
    return 0;
}

int Close(HWND dialog, int)
{
    return PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
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
    if (lstrcmpW(command, L"box") == 0)
        return AnswerBox(number > 0 ? number : 20);
    if (lstrcmpW(command, L"texts") == 0)
        return WithDialog(PrintTexts, 0);
    return 2;
}
