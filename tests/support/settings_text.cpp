// Texts that tests write as settings files and expect as device targets.
#include "support/settings_text.h"

std::string Utf16FileBytes(const std::wstring& text, bool byteOrderMark)
{
    std::string bytes = byteOrderMark ? "\xFF\xFE" : "";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes;
}

std::wstring VirtualTarget(const std::wstring& directory)
{
    std::wstring target = L"\\??\\" + directory;
    if (target.back() == L'\\')
        target.pop_back();
    return target;
}
