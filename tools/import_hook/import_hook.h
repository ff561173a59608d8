// Replaces one imported function in this test program's import table for the lifetime of
// the object, so that a test can make a real system call fail where the system itself
// cannot be made to (the program's code still calls through the same import).
#pragma once

class ImportHook {
public:
    ImportHook(const char* dllName, const char* functionName, void* replacement);
    ~ImportHook();
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;

    bool Installed() const { return slot_ != nullptr; }
    // The function that the import named before the hook.
    void* Original() const { return original_; }

private:
    void** slot_ = nullptr;
    void* original_ = nullptr;
};
