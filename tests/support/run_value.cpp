// The "Morvex" value of the user's Run key, for tests.
#include "support/run_value.h"

#include <vector>

namespace {
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kMarkKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
const wchar_t kValueName[] = L"Morvex";

bool ReadMark(std::string* bytes)
{
    char buffer[256];
    DWORD size = sizeof(buffer);
    if (RegGetValueW(HKEY_CURRENT_USER, kMarkKey, kValueName, RRF_RT_REG_BINARY, nullptr, buffer, &size) != ERROR_SUCCESS)
        return false;
    bytes->assign(buffer, size);
    return true;
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
    RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kValueName, REG_SZ, data.c_str(),
                    static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

void RunValueGuard::SetStartupMark(const std::string& bytes) const
{
    if (bytes.empty())
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kMarkKey, kValueName);
    else
        RegSetKeyValueW(HKEY_CURRENT_USER, kMarkKey, kValueName, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
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
