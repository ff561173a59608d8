// UTF-16 copies of the settings file.
#include "persistence/settings_copy.h"

#include <windows.h>

#include "persistence/settings_rules.h"

namespace {

// Anything larger is no settings file of this program; it is left to the profile functions.
constexpr DWORD kLargestSettingsFile = 64 * 1024 * 1024;

struct FileBytes {
    unsigned char* data = nullptr;
    DWORD size = 0;
};

void ReleaseBytes(FileBytes* bytes)
{
    if (bytes->data != nullptr)
        GlobalFree(bytes->data);
    bytes->data = nullptr;
    bytes->size = 0;
}

// A file that does not exist reads as no bytes; false when it exists and cannot be read. A save
// waits for a program that holds the file; loading reads what it can at once.
bool ReadWholeFile(const wchar_t* path, FileBytes* bytes, bool waitForHolder)
{
    const DWORD access = GENERIC_READ, sharing = FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE file = waitForHolder ? OpenHeldFile(path, access, sharing, OPEN_EXISTING)
                                : CreateFileW(path, access, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    bool whole = false;
    if (high == 0 && size <= kLargestSettingsFile) {
        bytes->data = static_cast<unsigned char*>(GlobalAlloc(GMEM_FIXED, size + 1));
        bytes->size = size;
        DWORD read = 0;
        whole = bytes->data != nullptr && ReadFile(file, bytes->data, size, &read, nullptr) && read == size;
    }
    CloseHandle(file);
    if (!whole)
        ReleaseBytes(bytes);
    return whole;
}

bool WriteWhole(HANDLE file, const void* data, DWORD size)
{
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}

bool DecodeAnsi(const unsigned char* bytes, size_t size, wchar_t* units, size_t capacity, size_t* count)
{
    const int decoded = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes), static_cast<int>(size),
                                            units, static_cast<int>(capacity));
    *count = static_cast<size_t>(decoded);
    return decoded > 0;
}

}  // namespace

HANDLE OpenHeldFile(const wchar_t* path, DWORD access, DWORD sharing, DWORD disposition)
{
    const DWORD start = GetTickCount();
    for (;;) {
        HANDLE file = CreateFileW(path, access, sharing, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || !ShouldWaitForFile(GetLastError(), GetTickCount() - start))
            return file;
        Sleep(kFileRetryInterval);
    }
}

bool IsUtf8SettingsFile(const wchar_t* path)
{
    FileBytes bytes;
    bool utf8 = ReadWholeFile(path, &bytes, false) && DetectSettingsEncoding(bytes.data, bytes.size) == SettingsEncoding::Utf8;
    ReleaseBytes(&bytes);
    return utf8;
}

bool WriteUnicodeCopy(const wchar_t* source, HANDLE copy, bool waitForHolder)
{
    FileBytes bytes;
    if (!ReadWholeFile(source, &bytes, waitForHolder))
        return false;
    auto* units = static_cast<wchar_t*>(GlobalAlloc(GMEM_FIXED, (bytes.size + 1) * sizeof(wchar_t)));
    size_t count = 0;
    bool written = units != nullptr && DecodeSettingsBytes(bytes.data, bytes.size, units, &count, DecodeAnsi) &&
                   WriteWhole(copy, units, static_cast<DWORD>(count * sizeof(wchar_t)));
    if (units != nullptr)
        GlobalFree(units);
    ReleaseBytes(&bytes);
    return written;
}

bool OverwriteWithCopy(const wchar_t* copy, const wchar_t* file)
{
    HANDLE handle = CreateFileW(file, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    FileBytes bytes;
    bool written = ReadWholeFile(copy, &bytes, false) && WriteWhole(handle, bytes.data, bytes.size) && SetEndOfFile(handle) &&
                   FlushFileBuffers(handle);
    CloseHandle(handle);
    ReleaseBytes(&bytes);
    return written;
}

bool FlushToDisk(const wchar_t* path)
{
    HANDLE file = OpenHeldFile(path, GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool flushed = FlushFileBuffers(file);
    CloseHandle(file);
    return flushed;
}

bool MakeTemporaryUnicodeCopy(const wchar_t* source, wchar_t* copy)
{
    wchar_t folder[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH || GetTempFileNameW(folder, L"mvx", 0, copy) == 0)
        return false;
    HANDLE file = CreateFileW(copy, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = file != INVALID_HANDLE_VALUE && WriteUnicodeCopy(source, file, false);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (!written)
        DeleteFileW(copy);
    return written;
}
