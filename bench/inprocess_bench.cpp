// In-process figures under Wine: the list refresh, the letter picker, one row's painting, and
// reading and writing Drives sections of growing size. Prints one line per figure.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/app_globals.h"
#include "import_hook/import_hook.h"
#include "mainwindow/dialog_rules.h"
#include "mainwindow/drive_list.h"
#include "mainwindow/letter_picker.h"
#include "mainwindow/main_dialog.h"
#include "mainwindow/row_drawing.h"
#include "persistence/settings_file.h"
#include "persistence/settings_rules.h"
#include "res/resource.h"

namespace {

double NowMs()
{
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart * 1000.0 / frequency.QuadPart;
}

template <typename Work>
double MicrosecondsPerCall(int calls, Work work)
{
    double start = NowMs();
    for (int i = 0; i < calls; ++i)
        work();
    return (NowMs() - start) * 1000.0 / calls;
}

int g_heapCalls = 0;
decltype(&GlobalAlloc) g_realGlobalAlloc = nullptr;
void* (*g_realMalloc)(size_t) = nullptr;

HGLOBAL WINAPI CountingGlobalAlloc(UINT flags, SIZE_T bytes)
{
    ++g_heapCalls;
    return g_realGlobalAlloc(flags, bytes);
}

void* CountingMalloc(size_t bytes)
{
    ++g_heapCalls;
    return g_realMalloc(bytes);
}

int g_sectionReads = 0;
decltype(&GetPrivateProfileSectionW) g_realSectionRead = nullptr;

DWORD WINAPI CountingSectionRead(LPCWSTR section, LPWSTR buffer, DWORD size, LPCWSTR path)
{
    ++g_sectionReads;
    return g_realSectionRead(section, buffer, size, path);
}

wchar_t* ResizeBlock(wchar_t* block, size_t units)
{
    return static_cast<wchar_t*>(GlobalReAlloc(block, units * sizeof(wchar_t), GMEM_MOVEABLE));
}

std::wstring TempPath(const wchar_t* name)
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    return std::wstring(base) + name;
}

void MeasureSections(int lines)
{
    std::wstring path = TempPath(L"morvex-bench.ini");
    DeleteFileW(path.c_str());
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const BYTE byteOrderMark[] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(file, byteOrderMark, 2, &written, nullptr);
    CloseHandle(file);

    // Writing: the section built as the Close button builds it, then handed to the system.
    double start = NowMs();
    SectionBuilder builder = {};
    builder.capacity = kSectionWriteStep;
    builder.units = static_cast<wchar_t*>(GlobalAlloc(GMEM_FIXED, builder.capacity * sizeof(wchar_t)));
    for (int i = 0; i < lines; ++i) {
        // Two-unit keys make the reader ignore the lines, so that reading measures reading only.
        std::wstring line = L"QQ=C:\\bench\\" + std::to_wstring(i) + L"\\";
        AppendSectionLine(&builder, line.c_str(), line.size(), ResizeBlock);
    }
    FinishSection(&builder);
    WritePrivateProfileSectionW(L"Drives", builder.units, path.c_str());
    GlobalFree(builder.units);
    double writeMs = NowMs() - start;
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());

    g_sectionReads = 0;
    start = NowMs();
    ReadSettingsFile(path.c_str(), true);
    double readMs = NowMs() - start;
    std::printf("drives section, %6d lines: write %9.1f ms, read %9.1f ms (%d section reads)\n", lines, writeMs,
                readMs, g_sectionReads);
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
    DeleteFileW(path.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    bool quick = argc > 1 && std::string(argv[1]) == "--quick";
    g_hInstance = GetModuleHandleW(nullptr);
    InitCommonControls();
    // 24 drives, as many as the free letters allow.
    std::vector<wchar_t> defined;
    DWORD used = GetLogicalDrives();
    for (wchar_t letter = L'A'; letter <= L'Z' && defined.size() < 24; ++letter) {
        wchar_t name[3] = {letter, L':', 0};
        if ((used & (1u << (letter - L'A'))) == 0 && DefineDosDeviceW(DDD_RAW_TARGET_PATH, name, L"\\??\\C:\\windows"))
            defined.push_back(letter);
    }
    HWND dialog = CreateDialogParamW(g_hInstance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDlgProc, 0);
    std::printf("virtual drives defined: %zu\n", defined.size());
    std::printf("RefreshAllDrives (%zu rows): %.1f us per call\n", defined.size(),
                MicrosecondsPerCall(200, [] { RefreshAllDrives(); }));
    std::printf("FillLetterCombo: %.1f us per call\n", MicrosecondsPerCall(2000, [] { FillLetterCombo(0, 0); }));

    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 400, -44, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(dc, bitmap);
    SelectObject(dc, reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, IDC_DRIVE_LIST, WM_GETFONT, 0, 0)));
    DriveRecord record = {L'X', {}, DriveState::Connected};
    std::wstring directory = L"C:\\Program Files\\Common Files\\System\\";
    directory.copy(record.directory, directory.size());
    DRAWITEMSTRUCT draw = {};
    draw.CtlID = IDC_DRIVE_LIST;
    draw.itemState = ODS_SELECTED | ODS_FOCUS;
    draw.hDC = dc;
    draw.rcItem = {0, 0, 400, 44};
    draw.itemData = reinterpret_cast<ULONG_PTR>(&record);
    DrawDriveItem(dialog, &draw);
    std::printf("DrawDriveItem (selected row): %.1f us per call\n",
                MicrosecondsPerCall(2000, [&] { DrawDriveItem(dialog, &draw); }));
    {
        // The program allocates through GlobalAlloc and, via the C++ runtime, malloc.
        ImportHook global("kernel32.dll", "GlobalAlloc", reinterpret_cast<void*>(&CountingGlobalAlloc));
        ImportHook runtime("msvcrt.dll", "malloc", reinterpret_cast<void*>(&CountingMalloc));
        g_realGlobalAlloc = reinterpret_cast<decltype(&GlobalAlloc)>(global.Original());
        g_realMalloc = reinterpret_cast<void* (*)(size_t)>(runtime.Original());
        g_heapCalls = 0;
        for (int i = 0; i < 1000; ++i)
            DrawDriveItem(dialog, &draw);
        std::printf("GlobalAlloc and malloc calls in 1000 row paints: %d (hooks %s, %s)\n", g_heapCalls,
                    global.Installed() ? "GlobalAlloc on" : "GlobalAlloc missing",
                    runtime.Installed() ? "malloc on" : "malloc missing");
    }
    DeleteDC(dc);
    DeleteObject(bitmap);
    DestroyWindow(dialog);
    g_hwndMain = nullptr;
    for (wchar_t letter : defined) {
        wchar_t name[3] = {letter, L':', 0};
        DefineDosDeviceW(DDD_REMOVE_DEFINITION, name, nullptr);
    }

    ImportHook sectionHook("kernel32.dll", "GetPrivateProfileSectionW", reinterpret_cast<void*>(&CountingSectionRead));
    g_realSectionRead = reinterpret_cast<decltype(&GetPrivateProfileSectionW)>(sectionHook.Original());
    for (int lines : {26, 1000, 10000, 100000}) {
        if (quick && lines > 10000)
            break;
        MeasureSections(lines);
    }
    return 0;
}
