// Switches Wine's light visual style on and off inside this test process and puts the state it
// found back when it ends. A running process does not notice the ThemeManager registry values
// changing; the theme-file entry points that Wine's visual-styles library exports by ordinal
// (open a theme file, apply it or none, close it) change the process's own state, write the
// registry and post WM_THEMECHANGED to every window.
#pragma once
#include <windows.h>

#include <string>

class VisualStyleSwitch {
public:
    VisualStyleSwitch();
    ~VisualStyleSwitch();
    VisualStyleSwitch(const VisualStyleSwitch&) = delete;
    VisualStyleSwitch& operator=(const VisualStyleSwitch&) = delete;

    bool Available() const { return applyTheme_ != nullptr; }
    // True when the system now reports visual styles on (or off).
    bool SwitchOn();
    bool SwitchOff();
    bool Active() const;

private:
    using OpenThemeFileFunction = HRESULT(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, HANDLE*, DWORD);
    using ApplyThemeFunction = HRESULT(WINAPI*)(HANDLE, char*, HWND);
    using CloseThemeFileFunction = HRESULT(WINAPI*)(HANDLE);
    using IsThemeActiveFunction = BOOL(WINAPI*)();

    bool Apply(const std::wstring& file, const std::wstring& color, const std::wstring& size);

    HMODULE library_ = nullptr;
    OpenThemeFileFunction openThemeFile_ = nullptr;
    ApplyThemeFunction applyTheme_ = nullptr;
    CloseThemeFileFunction closeThemeFile_ = nullptr;
    IsThemeActiveFunction isThemeActive_ = nullptr;
    bool wasActive_ = false;
    std::wstring file_, color_, size_;
};

// Dispatches this thread's messages until none is waiting.
void PumpMessages();
