#include "UniString.hpp"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

namespace GS {
namespace {

// UTF-8 <-> UTF-32 without the C library's locale, so no text depends on the process's locale.
std::wstring Utf8ToWide(const std::string& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= text.size() + (extra == 0 ? 1 : 0)) {
            out += L'\xFFFD';
            ++i;
            continue;
        }
        UInt32 cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            if ((cc & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) {
            out += L'\xFFFD';
            ++i;
            continue;
        }
        out += static_cast<wchar_t>(cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

std::string WideToUtf8(const wchar_t* text)
{
    std::string out;
    for (; text != nullptr && *text != 0; ++text) {
        UInt32 cp = static_cast<UInt32>(*text);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

size_t BytePosition(const std::string& text, USize codePoint)
{
    size_t pos = 0;
    for (USize n = 0; pos < text.size() && n < codePoint; ++n) {
        ++pos;
        while (pos < text.size() && IsContinuation(text[pos]))
            ++pos;
    }
    return pos;
}

std::string Lower(const std::string& text)
{
    std::string out = text;
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

}  // namespace

UniString::UniString(const char* text, GSCharCode) : text_(text != nullptr ? text : "") {}
UniString::UniString(const wchar_t* text) : text_(WideToUtf8(text)) {}
UniString::UniString(const char* chars, USize charCount, GSCharCode)
    : text_(chars != nullptr ? std::string(chars, charCount) : std::string())
{
}

UniString::UniString(const std::string& text, GSCharCode) : text_(text) {}

UniString UniString::Printf(const char* format, ...)
{
    // %ls takes a wide text; it is converted here so that the result never depends on the C locale.
    std::string out;
    va_list args;
    va_start(args, format);
    for (const char* p = format; *p != 0;) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        const char* start = p++;
        while (*p != 0 && std::strchr("-+ #0123456789.*", *p) != nullptr)
            ++p;
        std::string lengthMod;
        while (*p != 0 && std::strchr("hlLqjzt", *p) != nullptr)
            lengthMod += *p++;
        if (*p == 0)
            break;
        char conv = *p++;
        std::string directive(start, static_cast<size_t>(p - start));
        char buffer[512];
        switch (conv) {
            case '%': out += '%'; break;
            case 's':
                if (lengthMod == "l")
                    out += WideToUtf8(va_arg(args, const wchar_t*));
                else {
                    const char* s = va_arg(args, const char*);
                    std::string piece = directive;
                    std::vector<char> big(std::strlen(s != nullptr ? s : "") + 512);
                    std::snprintf(big.data(), big.size(), piece.c_str(), s != nullptr ? s : "");
                    out += big.data();
                }
                break;
            case 'd': case 'i': case 'u': case 'x': case 'X': case 'o': case 'c':
                if (lengthMod == "ll")
                    std::snprintf(buffer, sizeof buffer, directive.c_str(), va_arg(args, long long));
                else if (lengthMod == "l" || lengthMod == "z" || lengthMod == "j" || lengthMod == "t")
                    std::snprintf(buffer, sizeof buffer, directive.c_str(), va_arg(args, long));
                else
                    std::snprintf(buffer, sizeof buffer, directive.c_str(), va_arg(args, int));
                out += buffer;
                break;
            case 'f': case 'F': case 'e': case 'E': case 'g': case 'G':
                if (lengthMod == "L")
                    std::snprintf(buffer, sizeof buffer, directive.c_str(), va_arg(args, long double));
                else
                    std::snprintf(buffer, sizeof buffer, directive.c_str(), va_arg(args, double));
                out += buffer;
                break;
            case 'p':
                std::snprintf(buffer, sizeof buffer, directive.c_str(), va_arg(args, void*));
                out += buffer;
                break;
            default:
                out += directive;
        }
    }
    va_end(args);
    return UniString(out);
}

UniString::UStr UniString::ToUStr() const { return UStr(Utf8ToWide(text_)); }

USize UniString::GetLength() const
{
    USize n = 0;
    for (char c : text_)
        if (!IsContinuation(c))
            ++n;
    return n;
}

bool UniString::IsEqual(const UniString& other, CaseComparison cmp) const
{
    return cmp == CaseSensitive ? text_ == other.text_ : Lower(text_) == Lower(other.text_);
}

Int32 UniString::Compare(const UniString& other, CaseComparison cmp) const
{
    int r = cmp == CaseSensitive ? text_.compare(other.text_) : Lower(text_).compare(Lower(other.text_));
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

bool UniString::BeginsWith(const UniString& prefix) const { return text_.rfind(prefix.text_, 0) == 0; }

bool UniString::EndsWith(const UniString& suffix) const
{
    return text_.size() >= suffix.text_.size() &&
           text_.compare(text_.size() - suffix.text_.size(), suffix.text_.size(), suffix.text_) == 0;
}

bool UniString::Contains(const UniString& part) const { return text_.find(part.text_) != std::string::npos; }

UniString UniString::GetSubstring(USize from, USize count) const
{
    size_t begin = BytePosition(text_, from);
    size_t end = BytePosition(text_, from + count);
    return UniString(text_.substr(begin, end - begin));
}

UniString UniString::ToLowerCase() const { return UniString(Lower(text_)); }

UniString& UniString::Trim()
{
    const char* space = " \t\r\n\f\v";
    size_t begin = text_.find_first_not_of(space);
    if (begin == std::string::npos) {
        text_.clear();
        return *this;
    }
    size_t end = text_.find_last_not_of(space);
    text_ = text_.substr(begin, end - begin + 1);
    return *this;
}

void UniString::DeleteLast(USize count)
{
    USize length = GetLength();
    text_.resize(BytePosition(text_, length > count ? length - count : 0));
}

UInt32 UniString::GenerateHashValue() const
{
    // FNV-1a over the UTF-8 bytes.
    UInt32 hash = 2166136261u;
    for (unsigned char c : text_) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

}  // namespace GS
