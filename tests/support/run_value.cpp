// The "Morvex" value of the user's Run key, for tests.
#include "support/run_value.h"

#include <vector>

namespace {
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kMarkKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
const wchar_t kValueName[] = L"Morvex";

bool ReadMark(std::string* bytes)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kMarkKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    BYTE buffer[256];
    DWORD size = sizeof(buffer);
    bool read = RegQueryValueExW(key, kValueName, nullptr, nullptr, buffer, &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (read)
        bytes->assign(reinterpret_cast<const char*>(buffer), size);
    return read;
}
}  // namespace

RunValueGuard::RunValueGuard()
{
    DWORD type = 0, bytes = 0;
    hadValue_ = Read(&type, &savedData_, &bytes);
    hadMark_ = ReadMark(&savedMark_);
    Remove();
    SetStartupMark("");
}

RunValueGuard::~RunValueGuard()
{
    Remove();
    if (hadValue_)
        Write(savedData_);
    SetStartupMark(hadMark_ ? savedMark_ : "");
}

void RunValueGuard::Write(const std::wstring& data) const
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
        RegSetValueExW(key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
}

void RunValueGuard::SetStartupMark(const std::string& bytes) const
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kMarkKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    if (bytes.empty())
        RegDeleteValueW(key, kValueName);
    else
        RegSetValueExW(key, kValueName, 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

bool RunValueGuard::StartupMarkExists() const
{
    std::string bytes;
    return ReadMark(&bytes);
}

bool RunValueGuard::Exists() const
{
    DWORD type = 0, bytes = 0;
    std::wstring data;
    return Read(&type, &data, &bytes);
}

bool RunValueGuard::Read(DWORD* type, std::wstring* data, DWORD* bytes) const
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    std::vector<BYTE> buffer(8192);
    *bytes = static_cast<DWORD>(buffer.size());
    LONG result = RegQueryValueExW(key, kValueName, nullptr, type, buffer.data(), bytes);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return false;
    data->assign(reinterpret_cast<const wchar_t*>(buffer.data()), *bytes / sizeof(wchar_t));
    while (!data->empty() && data->back() == L'\0')
        data->pop_back();
    return true;
}

void RunValueGuard::Remove() const
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, kValueName);
        RegCloseKey(key);
    }
}
