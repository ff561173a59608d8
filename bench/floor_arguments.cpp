// The least a one-shot run of Morvex must load and do: split its command line with
// CommandLineToArgvW (shell32) and make one DefineDosDeviceW call, as a program without a console.
//   floor_arguments X: TARGET    floor_arguments /d X:
#include <windows.h>
#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr)
        return 2;
    BOOL done = FALSE;
    if (count >= 3 && lstrcmpW(arguments[1], L"/d") == 0)
        done = DefineDosDeviceW(DDD_REMOVE_DEFINITION, arguments[2], nullptr);
    else if (count >= 3)
        done = DefineDosDeviceW(DDD_RAW_TARGET_PATH, arguments[1], arguments[2]);
    LocalFree(arguments);
    return done ? 0 : 1;
}
