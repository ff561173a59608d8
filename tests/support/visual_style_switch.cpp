// Switching Wine's light visual style from a test.
#include "support/visual_style_switch.h"

namespace {

const wchar_t kThemeManagerKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";

std::wstring ReadThemeManagerValue(const wchar_t* name)
{
    wchar_t value[MAX_PATH] = L"";
    DWORD bytes = sizeof value - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, kThemeManagerKey, name, RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS)
        return L"";
    return value;
}

std::wstring LightStyleFile()
{
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    return std::wstring(windows) + L"\\resources\\themes\\light\\light.msstyles";
}

template <typename Function>
Function Ordinal(HMODULE library, WORD ordinal)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, MAKEINTRESOURCEA(ordinal))));
}

}  // namespace

VisualStyleSwitch::VisualStyleSwitch()
{
    wchar_t path[MAX_PATH];
    GetSystemDirectoryW(path, MAX_PATH);
    lstrcatW(path, L"\\UxTheme.dll");
    library_ = LoadLibraryW(path);
    if (library_ == nullptr)
        return;
    isThemeActive_ = reinterpret_cast<IsThemeActiveFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library_, "IsThemeActive")));
    openThemeFile_ = Ordinal<OpenThemeFileFunction>(library_, 2);
    closeThemeFile_ = Ordinal<CloseThemeFileFunction>(library_, 3);
    applyTheme_ = Ordinal<ApplyThemeFunction>(library_, 4);
    if (isThemeActive_ == nullptr || openThemeFile_ == nullptr || closeThemeFile_ == nullptr) {
        applyTheme_ = nullptr;
        return;
    }
    wasActive_ = Active();
    file_ = ReadThemeManagerValue(L"DllName");
    color_ = ReadThemeManagerValue(L"ColorName");
    size_ = ReadThemeManagerValue(L"SizeName");
}

VisualStyleSwitch::~VisualStyleSwitch()
{
    if (Available()) {
        if (wasActive_ && !file_.empty())
            Apply(file_, color_, size_);
        else
            SwitchOff();
        PumpMessages();
    }
    if (library_ != nullptr)
        FreeLibrary(library_);
}

bool VisualStyleSwitch::Active() const
{
    return isThemeActive_ != nullptr && isThemeActive_();
}

bool VisualStyleSwitch::Apply(const std::wstring& file, const std::wstring& color, const std::wstring& size)
{
    HANDLE themeFile = nullptr;
    if (FAILED(openThemeFile_(file.c_str(), color.empty() ? nullptr : color.c_str(),
                              size.empty() ? nullptr : size.c_str(), &themeFile, 0)))
        return false;
    char unused[] = "";
    HRESULT applied = applyTheme_(themeFile, unused, nullptr);
    closeThemeFile_(themeFile);
    return SUCCEEDED(applied) && Active();
}

bool VisualStyleSwitch::SwitchOn()
{
    return Available() && Apply(LightStyleFile(), L"", L"");
}

bool VisualStyleSwitch::SwitchOff()
{
    if (!Available())
        return false;
    char unused[] = "";
    return SUCCEEDED(applyTheme_(nullptr, unused, nullptr)) && !Active();
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
