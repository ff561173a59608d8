// The "Morvex" value of the user's Run key, read back for tests; the value that existed
// before the test is put back afterwards.
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

private:
    bool hadValue_ = false;
    std::wstring savedData_;
};
