// Standard output and error of a GUI program.
#include "core/standard_output.h"

#include <windows.h>

#include <cwchar>

#include "core/dll_search.h"
#include "core/output_rules.h"

namespace {

using AttachConsoleFunction = BOOL(WINAPI*)(DWORD);

bool WriteToConsole(HANDLE console, const wchar_t* text)
{
    DWORD written = 0;
    return WriteConsoleW(console, text, static_cast<DWORD>(wcslen(text)), &written, nullptr) &&
           WriteConsoleW(console, L"\r\n", 2, &written, nullptr);
}

bool WriteUtf8(HANDLE handle, const wchar_t* text)
{
    char bytes[3 * kListLineCapacity + 2];
    DWORD length = static_cast<DWORD>(EncodeUtf8Line(text, bytes, sizeof(bytes)));
    DWORD written = 0;
    return WriteFile(handle, bytes, length, &written, nullptr) && written == length;
}

}  // namespace

bool WriteStandardLine(StandardStream stream, const wchar_t* text)
{
    HANDLE handle = GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    // A handle handed down is a console, or else a file, a pipe or NUL, where the console call fails.
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE && (WriteToConsole(handle, text) || WriteUtf8(handle, text)))
        return true;
    // A GUI program gets no usable handles from its console parent: it attaches to the console
    // (the call fails harmlessly once attached) and opens its screen buffer. Windows 2000 has no
    // such call, and would not start a program that imports it.
    AttachConsoleFunction attachConsole = nullptr;
    if (BindFunction(GetModuleHandleW(L"kernel32.dll"), "AttachConsole", &attachConsole))
        attachConsole(ATTACH_PARENT_PROCESS);
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE)
        return false;
    bool written = WriteToConsole(console, text);
    CloseHandle(console);
    return written;
}
