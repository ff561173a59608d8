// Temporary folders for tests.
#include "support/temp_folder.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(path.c_str());
}

}  // namespace

namespace {
std::wstring TemporaryDirectory()
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    std::wstring path = base;
    if (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}
}  // namespace

TempFolder::TempFolder() : TempFolder(TemporaryDirectory()) {}

TempFolder::TempFolder(const std::wstring& base)
{
    static unsigned counter = 0;
    for (;;) {
        wchar_t name[64];
        wsprintfW(name, L"morvex-test-%lu-%u", GetCurrentProcessId(), ++counter);
        path_ = base + L"\\" + name;
        if (CreateDirectoryW(path_.c_str(), nullptr))
            return;
        // Only a name clash is worth another name; anything else would fail every time.
        DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS) {
            fwprintf(stderr, L"cannot create a temporary folder in %ls (error %lu)\n", base.c_str(), error);
            std::abort();
        }
    }
}

TempFolder::~TempFolder()
{
    RemoveTree(path_);
}

std::wstring TempFolder::MakeFolder(const std::wstring& relative) const
{
    std::wstring full = path_;
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = relative.find(L'\\', start);
        if (end == std::wstring::npos)
            end = relative.size();
        full += L"\\" + relative.substr(start, end - start);
        CreateDirectoryW(full.c_str(), nullptr);
        start = end + 1;
    }
    return full;
}

std::wstring TempFolder::MakeFolderOfLength(size_t length) const
{
    std::wstring relative;
    size_t remaining = length > path_.size() + 1 ? length - path_.size() - 1 : 0;
    while (remaining > 0) {
        size_t part = remaining < 150 ? remaining : 150;
        // What follows a separator needs at least one unit.
        if (remaining > part && remaining - part == 1)
            --part;
        relative += std::wstring(part, L'p');
        remaining -= part;
        if (remaining > 0) {
            relative += L"\\";
            --remaining;
        }
    }
    return MakeFolder(relative);
}

std::wstring TempFolder::MakeFile(const std::wstring& relative, const std::string& bytes) const
{
    std::wstring full = path_ + L"\\" + relative;
    HANDLE file = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    return full;
}

std::string ReadFileBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
