// The shell's folder-selection dialog.
#include "controls/folder_picker.h"

#include <objbase.h>
#include <shlobj.h>

int CALLBACK BrowseFolderCallback(HWND window, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data != 0)
        SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

bool BrowseForFolder(HWND owner, const wchar_t* title, wchar_t* pathBuffer)
{
    if (pathBuffer == nullptr)
        return false;
    CoInitialize(nullptr);
    bool chosen = false;
    IMalloc* allocator = nullptr;
    if (SHGetMalloc(&allocator) == S_OK) {
        BROWSEINFOW info = {};
        info.hwndOwner = owner;
        info.pidlRoot = nullptr;
        info.pszDisplayName = nullptr;
        info.lpszTitle = title;
        info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_NEWDIALOGSTYLE;
        info.lpfn = BrowseFolderCallback;
        info.lParam = reinterpret_cast<LPARAM>(pathBuffer);
        info.iImage = 0;
        PIDLIST_ABSOLUTE folder = SHBrowseForFolderW(&info);
        if (folder != nullptr) {
            chosen = SHGetPathFromIDListW(folder, pathBuffer) != FALSE;
            allocator->Free(folder);
        }
        allocator->Release();
    }
    CoUninitialize();
    return chosen;
}
