// Restriction of the DLL search, bound at run time: Windows before 8 may lack either call.
#include "core/dll_search.h"

#include "core/entry_rules.h"

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCWSTR);

}  // namespace

DllSearch RestrictDllSearch()
{
    // kernel32 is in every process already: finding it loads nothing.
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr)
        return DllSearch::Unchanged;
    SetDefaultDllDirectoriesFunction setDefaultDirectories = nullptr;
    if (BindFunction(kernel, "SetDefaultDllDirectories", &setDefaultDirectories) &&
        setDefaultDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return DllSearch::SystemDirectoryOnly;
    SetDllDirectoryFunction setDirectory = nullptr;
    if (BindFunction(kernel, "SetDllDirectoryW", &setDirectory) && setDirectory(L""))
        return DllSearch::NoCurrentDirectory;
    return DllSearch::Unchanged;
}

bool SystemLibraryPath(const wchar_t* fileName, wchar_t* path, size_t capacity)
{
    wchar_t systemDirectory[MAX_PATH];
    UINT length = GetSystemDirectoryW(systemDirectory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        if (capacity > 0)
            path[0] = L'\0';
        return false;
    }
    return JoinLibraryPath(systemDirectory, fileName, path, capacity);
}

HMODULE LoadSystemLibrary(const wchar_t* fileName)
{
    wchar_t path[MAX_PATH];
    if (!SystemLibraryPath(fileName, path, MAX_PATH))
        return nullptr;
    return LoadLibraryW(path);
}
