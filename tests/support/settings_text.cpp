// Texts that tests write as settings files and expect as device targets.
#include "support/settings_text.h"

#include <windows.h>

std::string Utf16FileBytes(const std::wstring& text, bool byteOrderMark)
{
    std::string bytes = byteOrderMark ? "\xFF\xFE" : "";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes;
}

std::string Utf8Bytes(const std::wstring& text)
{
    std::string bytes(text.size() * 4, '\0');
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0],
                                     static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(length > 0 ? length : 0);
    return bytes;
}

std::wstring VirtualTarget(const std::wstring& directory)
{
    std::wstring target = L"\\??\\" + directory;
    if (target.back() == L'\\')
        target.pop_back();
    return target;
}
