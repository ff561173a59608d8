// The "Morvex" value of the user's Run key, for tests.
#include "support/run_value.h"

#include <vector>

namespace {
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kValueName[] = L"Morvex";
}  // namespace

RunValueGuard::RunValueGuard()
{
    DWORD type = 0, bytes = 0;
    hadValue_ = Read(&type, &savedData_, &bytes);
    Remove();
}

RunValueGuard::~RunValueGuard()
{
    Remove();
    if (hadValue_) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
            RegSetValueExW(key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(savedData_.c_str()),
                           static_cast<DWORD>((savedData_.size() + 1) * sizeof(wchar_t)));
            RegCloseKey(key);
        }
    }
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
