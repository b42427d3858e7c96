// GS::UniString as UTF-16 code units. The system's code page (CC_Default and the other 8-bit codes) is
// Windows-1252, the code page of the machines the add-on's users have: a text that should have named
// CC_UTF8 comes out garbled for anything beyond ASCII, as it would on such a machine.
#include "UniString.hpp"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <new>
#include <string>

namespace GS {
namespace {

using Layout = UniChar::Layout;

// Windows-1252 bytes 0x80..0x9F; the five the code page leaves undefined map to the C1 controls, as the
// system's conversion does.
const Layout Cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                               0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

Layout Cp1252ToUnicode(unsigned char c)
{
    return c >= 0x80 && c < 0xA0 ? Cp1252High[c - 0x80] : static_cast<Layout>(c);
}

// '?' for every code unit the code page cannot hold (a surrogate pair counts as one character).
char UnicodeToCp1252(Layout u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (int i = 0; i < 32; ++i)
        if (Cp1252High[i] == u)
            return static_cast<char>(0x80 + i);
    return '?';
}

bool IsHighSurrogate(Layout u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(Layout u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Writes one code point as one or two units at `out`; returns how many.
size_t PutCodePoint(Layout* out, UInt32 cp)
{
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out[0] = static_cast<Layout>(0xD800 + (cp >> 10));
        out[1] = static_cast<Layout>(0xDC00 + (cp & 0x3FF));
        return 2;
    }
    out[0] = static_cast<Layout>(cp);
    return 1;
}

void AppendCodePoint(std::u16string& out, UInt32 cp)
{
    Layout units[2];
    const size_t count = PutCodePoint(units, cp);
    out.append(reinterpret_cast<const char16_t*>(units), count);
}

// Invalid sequences become U+FFFD, one per offending byte. No byte gives more than one unit (a four-byte
// sequence gives two), so `out` needs room for `count` units; returns how many were written.
size_t DecodeUtf8(const char* bytes, size_t count, Layout* out)
{
    size_t written = 0;
    size_t i = 0;
    while (i < count) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {  // most texts are mostly ASCII
            out[written++] = c;
            ++i;
            continue;
        }
        const int extra = (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= count) {
            out[written++] = 0xFFFD;
            ++i;
            continue;
        }
        UInt32 cp = extra == 1 ? (c & 0x1Fu) : extra == 2 ? (c & 0x0Fu) : (c & 0x07u);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char cc = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if ((cc & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (cc & 0x3Fu);
        }
        const UInt32 smallest[] = {0, 0x80, 0x800, 0x10000};
        if (!ok || cp < smallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out[written++] = 0xFFFD;
            ++i;
            continue;
        }
        written += PutCodePoint(out + written, cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return written;
}

// Hands each byte of the UTF-8 form to `put`: run once to count and once to write, so the text is
// allocated once at its exact size.
template <typename Put>
void EncodeUtf8(const Layout* units, USize count, Put&& put)
{
    for (USize i = 0; i < count; ++i) {
        UInt32 cp = units[i];
        if (cp < 0x80) {
            put(static_cast<char>(cp));
            continue;
        }
        if (IsHighSurrogate(units[i]) && i + 1 < count && IsLowSurrogate(units[i + 1])) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (units[i + 1] - 0xDC00u);
            ++i;
        } else if (IsHighSurrogate(units[i]) || IsLowSurrogate(units[i])) {
            cp = 0xFFFD;
        }
        if (cp < 0x800) {
            put(static_cast<char>(0xC0 | (cp >> 6)));
            put(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            put(static_cast<char>(0xE0 | (cp >> 12)));
            put(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            put(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            put(static_cast<char>(0xF0 | (cp >> 18)));
            put(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            put(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            put(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
}

template <typename Put>
void EncodeIn(const Layout* units, USize count, GSCharCode charCode, Put&& put)
{
    if (charCode == CC_UTF8) {
        EncodeUtf8(units, count, put);
    } else if (charCode == CC_UTF16) {
        for (USize i = 0; i < count; ++i) {
            put(static_cast<char>(units[i] & 0xFF));
            put(static_cast<char>(units[i] >> 8));
        }
    } else {
        for (USize i = 0; i < count; ++i) {
            put(UnicodeToCp1252(units[i]));
            if (IsHighSurrogate(units[i]) && i + 1 < count && IsLowSurrogate(units[i + 1]))
                ++i;
        }
    }
}

// `out` needs room for `count` units; returns how many were written.
size_t Decode(const char* bytes, size_t count, GSCharCode charCode, Layout* out)
{
    if (bytes == nullptr)
        return 0;
    if (charCode == CC_UTF8)
        return DecodeUtf8(bytes, count, out);
    if (charCode == CC_UTF16) {
        size_t written = 0;
        for (size_t i = 0; i + 1 < count; i += 2)
            out[written++] = static_cast<Layout>(static_cast<unsigned char>(bytes[i]) |
                                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
        return written;
    }
    for (size_t i = 0; i < count; ++i)
        out[i] = Cp1252ToUnicode(static_cast<unsigned char>(bytes[i]));
    return count;
}

size_t NarrowLength(const char* text) { return text != nullptr ? std::strlen(text) : 0; }

size_t UnitLength(const Layout* text)
{
    size_t n = 0;
    while (text != nullptr && text[n] != 0)
        ++n;
    return n;
}

// Case mapping of the Latin letters (ASCII, Latin-1, Latin Extended-A), Greek and Cyrillic; anything else
// keeps its case.
Layout ToLower(Layout u)
{
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
        return static_cast<Layout>(u + 0x20);
    if (u >= 0x100 && u <= 0x17F && u != 0x130 && u != 0x138 && u != 0x149 && u != 0x178) {
        const bool evenIsUpper = !((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E));
        if (evenIsUpper ? (u % 2 == 0) : (u % 2 == 1))
            return static_cast<Layout>(u + 1);
        return u;
    }
    if (u == 0x178)
        return 0xFF;
    if ((u >= 0x391 && u <= 0x3A9 && u != 0x3A2) || (u >= 0x410 && u <= 0x42F))
        return static_cast<Layout>(u + 0x20);
    if (u >= 0x400 && u <= 0x40F)
        return static_cast<Layout>(u + 0x50);
    return u;
}

Layout ToUpper(Layout u)
{
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
        return static_cast<Layout>(u - 0x20);
    if (u == 0xFF)
        return 0x178;
    if (u >= 0x100 && u <= 0x17F && u != 0x131 && u != 0x138 && u != 0x149 && u != 0x17F) {
        const bool evenIsUpper = !((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E));
        if (evenIsUpper ? (u % 2 == 1) : (u % 2 == 0))
            return static_cast<Layout>(u - 1);
        return u;
    }
    if ((u >= 0x3B1 && u <= 0x3C9 && u != 0x3C2) || (u >= 0x430 && u <= 0x44F))
        return static_cast<Layout>(u - 0x20);
    if (u >= 0x450 && u <= 0x45F)
        return static_cast<Layout>(u - 0x50);
    return u;
}

bool IsSpace(Layout u) { return u == ' ' || (u >= 0x09 && u <= 0x0D) || u == 0xA0 || u == 0x3000 || (u >= 0x2000 && u <= 0x200A); }

}  // namespace

// ---- UniChar ----

UniChar::UniChar(char c) : uniChar(Cp1252ToUnicode(static_cast<unsigned char>(c))) {}
UniChar::UniChar(unsigned char c) : uniChar(Cp1252ToUnicode(c)) {}
bool UniChar::IsWhiteSpace() const { return IsSpace(uniChar); }

// ---- uchar_t functions ----

std::size_t ucslen(const uchar_t* str) { return UnitLength(str); }

uchar_t* ucscpy(uchar_t* dst, const uchar_t* src)
{
    std::size_t i = 0;
    for (; src[i] != 0; ++i)
        dst[i] = src[i];
    dst[i] = 0;
    return dst;
}

uchar_t* ucsncpy(uchar_t* dst, const uchar_t* src, std::size_t n)
{
    std::size_t i = 0;
    for (; i < n && src[i] != 0; ++i)
        dst[i] = src[i];
    for (; i < n; ++i)
        dst[i] = 0;
    return dst;
}

int ucscmp(const uchar_t* str1, const uchar_t* str2)
{
    for (;; ++str1, ++str2) {
        if (*str1 != *str2)
            return *str1 < *str2 ? -1 : 1;
        if (*str1 == 0)
            return 0;
    }
}

// ---- The converted copies ----

UniString::CStr::CStr(USize strLength) : content(new char[strLength + 1]), length(strLength)
{
    std::memset(content, 0, strLength + 1);
}

UniString::CStr::CStr(CStr&& source) : content(source.content), length(source.length)
{
    source.content = nullptr;
    source.length = 0;
}

UniString::CStr::~CStr() { delete[] content; }

UniString::UStr::UStr(UniChar::Layout* text, bool owns) : content(text), ownsContent(owns) {}

UniString::UStr::UStr(UStr&& source) : content(source.content), ownsContent(source.ownsContent)
{
    source.content = nullptr;
    source.ownsContent = false;
}

UniString::UStr::~UStr()
{
    if (ownsContent)
        delete[] content;
}

// ---- Substrings and concatenations ----

UniString::Substring::Substring(UniString& baseString, UIndex fromIndex, USize rangeLength)
    : base(&baseString), from(fromIndex), range(rangeLength)
{
}

UniString::ConstSubstring::ConstSubstring(const UniString& baseString, UIndex fromIndex, USize rangeLength)
    : base(&baseString), from(fromIndex), range(rangeLength)
{
}

UniString::Concatenation::Concatenation() : result(new UniString()) {}
UniString::Concatenation::Concatenation(const Concatenation& source) : result(new UniString(*source.result)) {}

UniString::Concatenation& UniString::Concatenation::operator=(const Concatenation& source)
{
    *result = *source.result;
    return *this;
}

UniString::Concatenation::~Concatenation() { delete result; }

UniString::Concatenation& UniString::Concatenation::operator+(UniChar rightOp)
{
    result->Append(rightOp);
    return *this;
}

UniString::Concatenation& UniString::Concatenation::operator+(const UniString& rightOp)
{
    result->Append(rightOp);
    return *this;
}

UniString::Concatenation& UniString::Concatenation::operator+(const UniChar::Layout* rightOp)
{
    result->Append(rightOp);
    return *this;
}

UniString::Concatenation& UniString::Concatenation::operator+(const char* rightOp)
{
    result->Append(rightOp);
    return *this;
}

UniString::Concatenation& UniString::Concatenation::operator+(std::string_view rightOp)
{
    result->Append(rightOp);
    return *this;
}

// ---- Storage ----

void UniString::Reserve(USize minCapacity)
{
    if (minCapacity <= capacity)
        return;
    const USize newCapacity = std::max<USize>(minCapacity, capacity < 8 ? 8 : capacity + capacity / 2);
    auto* buffer = new Layout[newCapacity + 1];
    if (length > 0)
        std::memcpy(buffer, content, length * sizeof(Layout));
    buffer[length] = 0;
    delete[] content;
    content = buffer;
    capacity = newCapacity;
}

void UniString::Set(const UniChar::Layout* units, USize count)
{
    if (units >= content && units < content + length) {  // from itself
        const std::u16string copy(reinterpret_cast<const char16_t*>(units), count);
        Set(reinterpret_cast<const Layout*>(copy.data()), count);
        return;
    }
    Reserve(count);
    if (count > 0)
        std::memcpy(content, units, count * sizeof(Layout));
    length = count;
    if (content != nullptr)
        content[length] = 0;
}

void UniString::SetNarrow(const char* chars, USize count, GSCharCode charCode)
{
    if (chars == nullptr || count == 0) {
        length = 0;
        if (content != nullptr)
            content[0] = 0;
        return;
    }
    Reserve(count);  // never fewer bytes than units
    length = static_cast<USize>(Decode(chars, count, charCode, content));
    content[length] = 0;
}

USize UniString::Clamp(UIndex from, USize range) const
{
    if (from >= length)
        return 0;
    return std::min<USize>(range, length - from);
}

void UniString::Replace(UIndex from, USize range, const UniChar::Layout* units, USize count)
{
    from = std::min(from, length);
    range = Clamp(from, range);
    std::u16string text;
    if (content != nullptr)
        text.assign(reinterpret_cast<const char16_t*>(content), length);
    text.replace(from, range, reinterpret_cast<const char16_t*>(units), count);
    Set(reinterpret_cast<const Layout*>(text.data()), static_cast<USize>(text.size()));
}

// ---- Construction and assignment ----

UniString::UniString() : content(nullptr), length(0), capacity(0) {}

UniString::UniString(const UniChar::Layout* uStr) : UniString() { Set(uStr, static_cast<USize>(UnitLength(uStr))); }

UniString::UniString(const UniChar::Layout* uChars, USize charCount) : UniString()
{
    if (uChars != nullptr)
        Set(uChars, charCount);
}

UniString::UniString(const char* cStr, GSCharCode charCode) : UniString()
{
    SetNarrow(cStr, static_cast<USize>(NarrowLength(cStr)), charCode);
}

UniString::UniString(const char* chars, USize charCount, GSCharCode charCode) : UniString()
{
    SetNarrow(chars, chars != nullptr ? charCount : 0, charCode);
}

UniString::UniString(std::u16string_view str) : UniString()
{
    Set(reinterpret_cast<const Layout*>(str.data()), static_cast<USize>(str.size()));
}

UniString::UniString(std::string_view str, GSCharCode charCode) : UniString()
{
    SetNarrow(str.data(), static_cast<USize>(str.size()), charCode);
}

UniString::UniString(const UniString& source, UIndex sourceFrom, USize sourceRange) : UniString()
{
    const USize range = source.Clamp(sourceFrom, sourceRange);
    if (range > 0)
        Set(source.content + sourceFrom, range);
}

UniString::UniString(UniString&& source) : content(source.content), length(source.length), capacity(source.capacity)
{
    source.content = nullptr;
    source.length = 0;
    source.capacity = 0;
}

UniString::UniString(const Substring& source) : UniString(*source.base, source.from, source.range) {}
UniString::UniString(const ConstSubstring& source) : UniString(*source.base, source.from, source.range) {}
UniString::UniString(const Concatenation& source) : UniString(*source.result) {}

UniString::~UniString() { delete[] content; }

UniString& UniString::operator=(const UniChar::Layout* uStr)
{
    Set(uStr, static_cast<USize>(UnitLength(uStr)));
    return *this;
}

UniString& UniString::operator=(const char* cStr) { return Assign(cStr); }

UniString& UniString::operator=(std::u16string_view str)
{
    const std::u16string copy(str);
    Set(reinterpret_cast<const Layout*>(copy.data()), static_cast<USize>(copy.size()));
    return *this;
}

UniString& UniString::operator=(std::string_view str) { return Assign(str); }

UniString& UniString::operator=(const UniString& source)
{
    if (this != &source)
        Set(source.content, source.length);
    return *this;
}

UniString& UniString::operator=(UniString&& source)
{
    Swap(source);
    source.Clear();
    return *this;
}

UniString& UniString::operator=(const Substring& source) { return *this = UniString(source); }
UniString& UniString::operator=(const ConstSubstring& source) { return *this = UniString(source); }
UniString& UniString::operator=(const Concatenation& source) { return *this = *source.result; }

UniString& UniString::Assign(const char* cStr, GSCharCode charCode)
{
    SetNarrow(cStr, static_cast<USize>(NarrowLength(cStr)), charCode);
    return *this;
}

UniString& UniString::Assign(const char* chars, USize charCount, GSCharCode charCode)
{
    SetNarrow(chars, chars != nullptr ? charCount : 0, charCode);
    return *this;
}

UniString& UniString::Assign(std::string_view str, GSCharCode charCode)
{
    SetNarrow(str.data(), static_cast<USize>(str.size()), charCode);
    return *this;
}

UniString& UniString::Assign(const UniString& source, UIndex sourceFrom, USize sourceRange)
{
    return *this = UniString(source, sourceFrom, sourceRange);
}

void UniString::Swap(UniString& source)
{
    std::swap(content, source.content);
    std::swap(length, source.length);
    std::swap(capacity, source.capacity);
}

// ---- Characters and parts ----

UniChar UniString::operator[](UIndex idx) const { return GetChar(idx); }
UniChar UniString::GetChar(UIndex idx) const { return idx < length ? UniChar(content[idx]) : UniChar(); }

void UniString::SetChar(UIndex idx, UniChar uc)
{
    if (idx < length)
        content[idx] = uc;
}

UniChar UniString::GetLast() const { return length > 0 ? UniChar(content[length - 1]) : UniChar(); }

UniString::Substring UniString::GetSubstring(UIndex from, USize range) { return Substring(*this, from, range); }

UniString::ConstSubstring UniString::GetSubstring(UIndex from, USize range) const
{
    return ConstSubstring(*this, from, range);
}

UniString::Substring UniString::GetPrefix(USize range) { return Substring(*this, 0, range); }
UniString::ConstSubstring UniString::GetPrefix(USize range) const { return ConstSubstring(*this, 0, range); }

UniString::Substring UniString::GetSuffix(USize range)
{
    const USize n = std::min(range, length);
    return Substring(*this, length - n, n);
}

UniString::ConstSubstring UniString::GetSuffix(USize range) const
{
    const USize n = std::min(range, length);
    return ConstSubstring(*this, length - n, n);
}

void UniString::Insert(UIndex to, UniChar uc)
{
    const Layout unit = uc;
    Replace(to, 0, &unit, 1);
}

void UniString::Insert(UIndex to, const UniString& str, UIndex strFrom, USize strRange)
{
    const UniString part(str, strFrom, strRange);
    Replace(to, 0, part.content, part.length);
}

void UniString::Append(UniChar uc)
{
    Reserve(length + 1);
    content[length++] = uc;
    content[length] = 0;
}

void UniString::Append(const UniString& str, UIndex strFrom, USize strRange)
{
    const UniString part(str, strFrom, strRange);
    if (part.length == 0)
        return;
    Reserve(length + part.length);
    std::memcpy(content + length, part.content, part.length * sizeof(Layout));
    length += part.length;
    content[length] = 0;
}

void UniString::Append(const UniChar::Layout* uStr) { Append(UniString(uStr)); }
void UniString::Append(const UniChar::Layout* uChars, USize charCount) { Append(UniString(uChars, charCount)); }
void UniString::Append(const char* cStr, GSCharCode charCode) { Append(UniString(cStr, charCode)); }
void UniString::Append(const char* chars, USize charCount, GSCharCode charCode) { Append(UniString(chars, charCount, charCode)); }
void UniString::Append(std::u16string_view str) { Append(UniString(str)); }
void UniString::Append(std::string_view str, GSCharCode charCode) { Append(UniString(str, charCode)); }

UniString& UniString::operator+=(UniChar uc)
{
    Append(uc);
    return *this;
}

UniString& UniString::operator+=(const UniString& str)
{
    Append(str);
    return *this;
}

UniString& UniString::operator+=(const UniChar::Layout* uStr)
{
    Append(uStr);
    return *this;
}

UniString& UniString::operator+=(const char* cStr)
{
    Append(cStr);
    return *this;
}

UniString& UniString::operator+=(std::u16string_view str)
{
    Append(str);
    return *this;
}

UniString& UniString::operator+=(std::string_view str)
{
    Append(str);
    return *this;
}

UniString::Concatenation UniString::Concatenate() { return Concatenation(); }

UniString::Concatenation operator+(const UniString& leftOp, UniChar rightOp)
{
    UniString::Concatenation result = UniString::Concatenate();
    result + leftOp + rightOp;
    return result;
}

UniString::Concatenation operator+(const UniString& leftOp, const UniString& rightOp)
{
    UniString::Concatenation result = UniString::Concatenate();
    result + leftOp + rightOp;
    return result;
}

UniString::Concatenation operator+(const UniString& leftOp, const UniChar::Layout* rightOp)
{
    UniString::Concatenation result = UniString::Concatenate();
    result + leftOp + rightOp;
    return result;
}

UniString::Concatenation operator+(const UniString& leftOp, const char* rightOp)
{
    UniString::Concatenation result = UniString::Concatenate();
    result + leftOp + rightOp;
    return result;
}

UniString::Concatenation operator+(const UniString& leftOp, std::string_view rightOp)
{
    UniString::Concatenation result = UniString::Concatenate();
    result + leftOp + rightOp;
    return result;
}

UniString::Concatenation operator+(UniChar leftOp, const UniString& rightOp)
{
    UniString::Concatenation result = UniString::Concatenate();
    result + leftOp + rightOp;
    return result;
}

UniString::Concatenation operator+(const UniChar::Layout* leftOp, const UniString& rightOp)
{
    UniString::Concatenation result = UniString::Concatenate();
    result + leftOp + rightOp;
    return result;
}

UniString::Concatenation operator+(const char* leftOp, const UniString& rightOp)
{
    UniString::Concatenation result = UniString::Concatenate();
    result + leftOp + rightOp;
    return result;
}

void UniString::Delete(UIndex idx) { Delete(idx, 1); }

void UniString::Delete(UIndex from, USize range)
{
    if (from < length)
        Replace(from, range, nullptr, 0);
}

void UniString::DeleteFirst() { Delete(0, 1); }

void UniString::DeleteLast()
{
    if (length > 0)
        Truncate(length - 1);
}

void UniString::TrimLeft()
{
    USize n = 0;
    while (n < length && IsSpace(content[n]))
        ++n;
    Delete(0, n);
}

void UniString::TrimRight()
{
    USize n = length;
    while (n > 0 && IsSpace(content[n - 1]))
        --n;
    Truncate(n);
}

void UniString::Trim()
{
    TrimRight();
    TrimLeft();
}

void UniString::Clear()
{
    length = 0;
    if (content != nullptr)
        content[0] = 0;
}

void UniString::Truncate(USize newLength)
{
    if (newLength < length) {
        length = newLength;
        content[length] = 0;
    }
}

USize UniString::GetLength() const { return length; }
bool UniString::IsEmpty() const { return length == 0; }

// ---- Comparing ----

namespace {

int CompareUnits(const Layout* a, USize aLength, const Layout* b, USize bLength, bool ignoreCase)
{
    const USize n = std::min(aLength, bLength);
    for (USize i = 0; i < n; ++i) {
        const Layout x = ignoreCase ? ToLower(a[i]) : a[i];
        const Layout y = ignoreCase ? ToLower(b[i]) : b[i];
        if (x != y)
            return x < y ? -1 : 1;
    }
    return aLength == bLength ? 0 : aLength < bLength ? -1 : 1;
}

}  // namespace

bool operator==(const UniString& leftOp, const UniString& rightOp)
{
    return CompareUnits(leftOp.content, leftOp.length, rightOp.content, rightOp.length, false) == 0;
}

bool operator==(const UniString& leftOp, const char* rightOp) { return leftOp == UniString(rightOp); }
bool operator==(const UniString& leftOp, const UniChar::Layout* rightOp) { return leftOp == UniString(rightOp); }
bool operator==(const UniString& leftOp, std::string_view rightOp) { return leftOp == UniString(rightOp); }
bool operator==(const char* leftOp, const UniString& rightOp) { return UniString(leftOp) == rightOp; }
bool operator==(const UniChar::Layout* leftOp, const UniString& rightOp) { return UniString(leftOp) == rightOp; }

bool operator!=(const UniString& leftOp, const UniString& rightOp) { return !(leftOp == rightOp); }
bool operator!=(const UniString& leftOp, const char* rightOp) { return !(leftOp == rightOp); }
bool operator!=(const UniString& leftOp, const UniChar::Layout* rightOp) { return !(leftOp == rightOp); }
bool operator!=(const UniString& leftOp, std::string_view rightOp) { return !(leftOp == rightOp); }
bool operator!=(const char* leftOp, const UniString& rightOp) { return !(leftOp == rightOp); }
bool operator!=(const UniChar::Layout* leftOp, const UniString& rightOp) { return !(leftOp == rightOp); }

bool UniString::operator<(const UniString& rightOp) const { return Compare(rightOp) == Less; }
bool UniString::operator<=(const UniString& rightOp) const { return Compare(rightOp) != Greater; }
bool UniString::operator>(const UniString& rightOp) const { return Compare(rightOp) == Greater; }
bool UniString::operator>=(const UniString& rightOp) const { return Compare(rightOp) != Less; }

bool UniString::IsEqual(const UniString& rightOp, CaseComparison caseComparison) const
{
    return Compare(rightOp, caseComparison) == Equal;
}

UniString::CompareResult UniString::Compare(const UniString& rightOp, CaseComparison caseComparison) const
{
    const int r = CompareUnits(content, length, rightOp.content, rightOp.length, caseComparison == CaseInsensitive);
    return r < 0 ? Less : r > 0 ? Greater : Equal;
}

bool UniString::IsLess(const UniString& rightOp, CaseComparison caseComparison) const
{
    return Compare(rightOp, caseComparison) == Less;
}

// ---- Finding and replacing ----

bool UniString::Contains(UniChar uc, UIndex from, USize range) const { return FindFirst(uc, from, range) != MaxUIndex; }

bool UniString::Contains(const UniString& str, UIndex from, USize range) const
{
    return FindFirst(str, from, range) != MaxUIndex;
}

UIndex UniString::FindFirst(UniChar uc, UIndex from, USize range) const
{
    const USize n = Clamp(from, range);
    for (USize i = 0; i < n; ++i)
        if (content[from + i] == static_cast<Layout>(uc))
            return from + i;
    return MaxUIndex;
}

UIndex UniString::FindFirst(const UniString& str, UIndex from, USize range) const
{
    const USize n = Clamp(from, range);
    if (str.length == 0)
        return from <= length ? from : MaxUIndex;
    for (USize i = 0; i + str.length <= n; ++i)
        if (std::memcmp(content + from + i, str.content, str.length * sizeof(Layout)) == 0)
            return from + i;
    return MaxUIndex;
}

UIndex UniString::FindLast(UniChar uc) const
{
    for (USize i = length; i > 0; --i)
        if (content[i - 1] == static_cast<Layout>(uc))
            return i - 1;
    return MaxUIndex;
}

UIndex UniString::FindLast(const UniString& str) const
{
    if (str.length > length)
        return MaxUIndex;
    for (USize i = length - str.length + 1; i > 0; --i)
        if (str.length == 0 || std::memcmp(content + i - 1, str.content, str.length * sizeof(Layout)) == 0)
            return i - 1;
    return MaxUIndex;
}

bool UniString::BeginsWith(UniChar uc) const { return length > 0 && content[0] == static_cast<Layout>(uc); }

bool UniString::BeginsWith(const UniString& str) const
{
    return str.length <= length && (str.length == 0 || std::memcmp(content, str.content, str.length * sizeof(Layout)) == 0);
}

bool UniString::EndsWith(UniChar uc) const { return length > 0 && content[length - 1] == static_cast<Layout>(uc); }

bool UniString::EndsWith(const UniString& str) const
{
    return str.length <= length &&
           (str.length == 0 || std::memcmp(content + length - str.length, str.content, str.length * sizeof(Layout)) == 0);
}

USize UniString::ReplaceAll(UniChar oldChar, UniChar newChar, UIndex from, USize range)
{
    const USize n = Clamp(from, range);
    USize count = 0;
    for (USize i = 0; i < n; ++i)
        if (content[from + i] == static_cast<Layout>(oldChar)) {
            content[from + i] = newChar;
            ++count;
        }
    return count;
}

USize UniString::ReplaceAll(const UniString& oldStr, const UniString& newStr, UIndex from, USize range)
{
    if (oldStr.length == 0)
        return 0;
    USize end = from + Clamp(from, range);
    USize count = 0;
    UIndex at = FindFirst(oldStr, from, end - from);
    while (at != MaxUIndex) {
        const UniString replacement(newStr);
        Replace(at, oldStr.length, replacement.content, replacement.length);
        end = end - oldStr.length + replacement.length;
        ++count;
        const UIndex next = at + replacement.length;
        at = next <= end ? FindFirst(oldStr, next, end - next) : MaxUIndex;
    }
    return count;
}

USize UniString::Count(UniChar uc, UIndex from, USize range) const
{
    const USize n = Clamp(from, range);
    USize count = 0;
    for (USize i = 0; i < n; ++i)
        if (content[from + i] == static_cast<Layout>(uc))
            ++count;
    return count;
}

USize UniString::Count(const UniString& str, UIndex from, USize range) const
{
    if (str.length == 0)
        return 0;
    const USize end = from + Clamp(from, range);
    USize count = 0;
    for (UIndex at = FindFirst(str, from, end - from); at != MaxUIndex;
         at = at + str.length <= end ? FindFirst(str, at + str.length, end - at - str.length) : MaxUIndex)
        ++count;
    return count;
}

void UniString::SetToUpperCase(UIndex from, USize range)
{
    const USize n = Clamp(from, range);
    for (USize i = 0; i < n; ++i)
        content[from + i] = ToUpper(content[from + i]);
}

void UniString::SetToLowerCase(UIndex from, USize range)
{
    const USize n = Clamp(from, range);
    for (USize i = 0; i < n; ++i)
        content[from + i] = ToLower(content[from + i]);
}

UniString UniString::ToUpperCase(UIndex from, USize range) const
{
    UniString result(*this);
    result.SetToUpperCase(from, range);
    return result;
}

UniString UniString::ToLowerCase(UIndex from, USize range) const
{
    UniString result(*this);
    result.SetToLowerCase(from, range);
    return result;
}

bool UniString::IsASCII() const
{
    return std::all_of(content, content + length, [](Layout u) { return u < 0x80; });
}

// ---- Conversion ----

UniString::UStr UniString::ToUStr(UIndex from, USize range) const
{
    const USize n = Clamp(from, range);
    auto* copy = new Layout[n + 1];
    if (n > 0)
        std::memcpy(copy, content + from, n * sizeof(Layout));
    copy[n] = 0;
    return UStr(copy, true);
}

UniString::CStr UniString::ToCStr(UIndex from, USize range, GSCharCode charCode, OnConversionError) const
{
    const USize n = Clamp(from, range);
    const Layout* units = content != nullptr ? content + from : nullptr;
    USize size = 0;
    EncodeIn(units, n, charCode, [&size](char) { ++size; });
    CStr result(size);
    char* out = result.content;
    EncodeIn(units, n, charCode, [&out](char byte) { *out++ = byte; });
    return result;
}

UniString::CStr UniString::ToCStr(GSCharCode charCode) const { return ToCStr(0, MaxUSize, charCode); }

const void* UniString::ToPrintf() const { return this; }

ULong UniString::GenerateHashValue() const
{
    // FNV-1a over the code units.
    ULong hash = 2166136261u;
    for (USize i = 0; i < length; ++i) {
        hash ^= content[i];
        hash *= 16777619u;
    }
    return hash;
}

// ---- Printf ----

UniString UniString::PrintfFwd(const char* format, ...)
{
    UniString out;
    if (format == nullptr)
        return out;
    va_list args;
    va_start(args, format);
    for (const char* p = format; *p != 0;) {
        if (*p != '%') {
            const char* start = p;
            while (*p != 0 && *p != '%')
                ++p;
            out.Append(start, static_cast<USize>(p - start));
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
        const char conversion = *p++;
        const std::string directive(start, static_cast<size_t>(p - start));
        char buffer[512];
        switch (conversion) {
            case '%':
                out.Append(UniChar('%'));
                break;
            case 'T': {
                const auto* text = static_cast<const UniString*>(va_arg(args, const void*));
                if (text != nullptr)
                    out.Append(*text);
                break;
            }
            case 's':
                if (lengthMod == "l") {
                    const wchar_t* wide = va_arg(args, const wchar_t*);
                    for (; wide != nullptr && *wide != 0; ++wide) {
                        std::u16string unit;
                        AppendCodePoint(unit, static_cast<UInt32>(*wide));
                        out.Append(std::u16string_view(unit));
                    }
                } else {
                    const char* narrow = va_arg(args, const char*);
                    out.Append(narrow != nullptr ? narrow : "(null)");
                }
                break;
            case 'c':
                out.Append(UniChar(static_cast<char>(va_arg(args, int))));
                break;
            case 'd': case 'i': case 'u': case 'x': case 'X': case 'o':
                if (lengthMod == "ll" || lengthMod == "q" || lengthMod == "j")
                    std::snprintf(buffer, sizeof buffer, directive.c_str(), va_arg(args, long long));
                else if (lengthMod == "l" || lengthMod == "z" || lengthMod == "t")
                    std::snprintf(buffer, sizeof buffer, directive.c_str(), va_arg(args, long));
                else
                    std::snprintf(buffer, sizeof buffer, directive.c_str(), va_arg(args, int));
                out.Append(buffer);
                break;
            case 'f': case 'F': case 'e': case 'E': case 'g': case 'G':
                if (lengthMod == "L")
                    std::snprintf(buffer, sizeof buffer, directive.c_str(), va_arg(args, long double));
                else
                    std::snprintf(buffer, sizeof buffer, directive.c_str(), va_arg(args, double));
                out.Append(buffer);
                break;
            case 'p':
                std::snprintf(buffer, sizeof buffer, directive.c_str(), va_arg(args, void*));
                out.Append(buffer);
                break;
            default:
                out.Append(directive.c_str());
        }
    }
    va_end(args);
    return out;
}

}  // namespace GS
