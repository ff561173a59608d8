// The least a one-shot or log-on run of Morvex must load and do: split its command line with
// CommandLineToArgvW (shell32) and make one DefineDosDeviceW call per drive, as a program without
// a console.
//   floor_arguments X: TARGET    floor_arguments /d X:
//   floor_arguments /many N TARGET   (the log-on run: letters from A, skipping used ones)
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

namespace {

BOOL DefineMany(int count, const wchar_t* target)
{
    DWORD used = GetLogicalDrives();
    BOOL done = TRUE;
    for (wchar_t letter = L'A'; letter <= L'Z' && count > 0; ++letter) {
        if (used & (1u << (letter - L'A')))
            continue;
        wchar_t name[3] = {letter, L':', 0};
        done = DefineDosDeviceW(DDD_RAW_TARGET_PATH, name, target) && done;
        --count;
    }
    return done;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr)
        return 2;
    BOOL done = FALSE;
    if (count >= 4 && lstrcmpW(arguments[1], L"/many") == 0)
        done = DefineMany(_wtoi(arguments[2]), arguments[3]);
    else if (count >= 3 && lstrcmpW(arguments[1], L"/d") == 0)
        done = DefineDosDeviceW(DDD_REMOVE_DEFINITION, arguments[2], nullptr);
    else if (count >= 3)
        done = DefineDosDeviceW(DDD_RAW_TARGET_PATH, arguments[1], arguments[2]);
    LocalFree(arguments);
    return done ? 0 : 1;
}
