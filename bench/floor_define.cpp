// The floor that any tool of this kind pays: one DefineDosDeviceW per drive, nothing else.
//   floor_define define X: TARGET    floor_define remove X:
//   floor_define define-many N DIR   (letters from A, skipping used ones)   floor_define remove-all
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 4 && lstrcmpW(argv[1], L"define") == 0)
        return DefineDosDeviceW(DDD_RAW_TARGET_PATH, argv[2], argv[3]) ? 0 : 1;
    if (argc >= 3 && lstrcmpW(argv[1], L"remove") == 0)
        return DefineDosDeviceW(DDD_REMOVE_DEFINITION, argv[2], nullptr) ? 0 : 1;
    if (argc >= 4 && lstrcmpW(argv[1], L"define-many") == 0) {
        int count = _wtoi(argv[2]);
        DWORD used = GetLogicalDrives();
        for (wchar_t letter = L'A'; letter <= L'Z' && count > 0; ++letter) {
            if (used & (1u << (letter - L'A')))
                continue;
            wchar_t name[3] = {letter, L':', 0};
            DefineDosDeviceW(DDD_RAW_TARGET_PATH, name, argv[3]);
            --count;
        }
        return 0;
    }
    if (argc >= 2 && lstrcmpW(argv[1], L"remove-all") == 0) {
        for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
            wchar_t name[3] = {letter, L':', 0};
            wchar_t target[1024];
            if (QueryDosDeviceW(name, target, 1024) && wcsncmp(target, L"\\??\\", 4) == 0)
                DefineDosDeviceW(DDD_REMOVE_DEFINITION, name, nullptr);
        }
        return 0;
    }
    return 2;
}
