// The "Morvex" value of the user's Run key and its startup-manager mark, read back and set for
// tests; what existed before the test is put back afterwards.
#pragma once
#include <windows.h>

#include <string>

class RunValueGuard {
public:
    RunValueGuard();
    ~RunValueGuard();
    RunValueGuard(const RunValueGuard&) = delete;
    RunValueGuard& operator=(const RunValueGuard&) = delete;

    bool Exists() const;
    // Type, data and byte count as stored.
    bool Read(DWORD* type, std::wstring* data, DWORD* bytes) const;
    void Remove() const;
    // Another program's value, such as another copy's.
    void Write(const std::wstring& data) const;

    // The mark with which Windows' startup manager switches the entry on or off; "" removes it.
    void SetStartupMark(const std::string& bytes) const;
    bool StartupMarkExists() const;

private:
    bool hadValue_ = false;
    std::wstring savedData_;
    bool hadMark_ = false;
    std::string savedMark_;
};
