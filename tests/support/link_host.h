// A top-level window standing in for the main dialog, holding one static control to be made a
// link. Its background is a plain green, so that the parent's background shows apart from the
// button face, and its WM_THEMECHANGED goes to RefreshThemes as the dialog's does. The static's
// own procedure is wrapped by a spy that records what the link passes on to it.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <vector>

struct SpiedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class LinkHost {
public:
    static constexpr COLORREF kBackground = RGB(0, 160, 0);
    static constexpr int kStaticX = 10, kStaticY = 12;

    explicit LinkHost(const wchar_t* text = L"morvex.example.org", int width = 200, int height = 30);
    ~LinkHost();
    LinkHost(const LinkHost&) = delete;
    LinkHost& operator=(const LinkHost&) = delete;

    HWND Window() const { return window_; }
    HWND Static() const { return static_; }
    WNDPROC Spy() const;
    int ThemeChanges() const { return themeChanges_; }

    // Messages that reached the static's own procedure.
    const std::vector<SpiedMessage>& Passed() const { return passed_; }
    bool Passed(UINT message) const;
    // Those of the given kinds, in order; the static sees many others besides (painting, sizing).
    std::vector<SpiedMessage> PassedAmong(std::initializer_list<UINT> messages) const;
    void ClearPassed() { passed_.clear(); }
    // Whether the spy was the window's procedure again when WM_NCDESTROY reached it.
    bool ReinstalledAtNcDestroy() const { return reinstalledAtNcDestroy_; }
    void DestroyStatic();

private:
    static LRESULT CALLBACK HostProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK SpyProc(HWND, UINT, WPARAM, LPARAM);

    HWND window_ = nullptr;
    HWND static_ = nullptr;
    WNDPROC staticProc_ = nullptr;
    int themeChanges_ = 0;
    std::vector<SpiedMessage> passed_;
    bool reinstalledAtNcDestroy_ = false;
};

// Client size of a window.
SIZE ClientSize(HWND window);
