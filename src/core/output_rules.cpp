// Lines of the drive list and their bytes.
#include "core/output_rules.h"

#include "core/bounded_string.h"
#include "core/drive_letter.h"

namespace {

bool IsSurrogate(char32_t unit, char32_t first)
{
    return unit >= first && unit < first + 0x400;
}

}  // namespace

void BuildListLine(wchar_t letter, const wchar_t* directory, wchar_t* line, size_t capacity)
{
    wchar_t head[] = L"X:\\: => ";
    head[0] = letter;
    CopyBounded(line, capacity, head);
    size_t start = BoundedLength(line, capacity);
    AppendBounded(line, capacity, directory);
    size_t end = BoundedLength(line, capacity);
    if (end > start)
        line[start] = NormalizeDriveLetter(line[start]);
    while (end > start && line[end - 1] == L'\\')
        line[--end] = L'\0';
    if (end == start + 2 && line[start + 1] == L':')
        AppendBounded(line, capacity, L"\\");
}

void JoinIntoOneLine(wchar_t* text)
{
    wchar_t* out = text;
    for (const wchar_t* in = text; *in != L'\0'; ++in) {
        if (*in == L'\r' && in[1] == L'\n')
            continue;
        *out++ = *in == L'\r' || *in == L'\n' ? L' ' : *in;
    }
    *out = L'\0';
}

size_t EncodeUtf8Line(const wchar_t* text, char* bytes, size_t capacity)
{
    size_t used = 0;
    for (size_t i = 0; text[i] != L'\0'; ++i) {
        char32_t code = static_cast<char32_t>(text[i]);
        if (IsSurrogate(code, 0xD800) && IsSurrogate(static_cast<char32_t>(text[i + 1]), 0xDC00))
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        else if (IsSurrogate(code, 0xD800) || IsSurrogate(code, 0xDC00))
            code = 0xFFFD;
        size_t length = code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
        if (used + length + 2 > capacity)
            break;
        for (size_t k = length - 1; k > 0; --k, code >>= 6)
            bytes[used + k] = static_cast<char>(0x80 | (code & 0x3F));
        // The lead byte: 0xC0, 0xE0 or 0xF0 for two, three or four bytes, then the highest bits.
        bytes[used] = static_cast<char>(length == 1 ? code : (0xF00 >> length) | code);
        used += length;
    }
    bytes[used++] = '\r';
    bytes[used++] = '\n';
    return used;
}
