#include "GSGuid.hpp"

#include "UniString.hpp"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

namespace GS {

const Guid NULLGuid;

Guid::Guid() { Clear(); }

Guid::Guid(const char* string)
{
    Clear();
    ConvertFromString(string);
}

Guid::Guid(const GS::UniString& string)
{
    Clear();
    ConvertFromString(string);
}

void Guid::Clear() { std::memset(static_cast<void*>(this), 0, sizeof(Guid)); }

GSErrCode Guid::ConvertFromString(const char* string)
{
    if (string == nullptr)
        return Error;
    std::string s(string);
    if (s.size() == 38 && s.front() == '{' && s.back() == '}')
        s = s.substr(1, 36);
    if (s.size() != 36)
        return Error;
    for (size_t i = 0; i < s.size(); ++i) {
        const bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        if (hyphen ? s[i] != '-' : !std::isxdigit(static_cast<unsigned char>(s[i])))
            return Error;
    }
    auto hex = [&s](size_t pos, size_t len) { return static_cast<UInt32>(std::stoul(s.substr(pos, len), nullptr, 16)); };
    time_low = hex(0, 8);
    time_mid = static_cast<unsigned short>(hex(9, 4));
    time_hi_and_version = static_cast<unsigned short>(hex(14, 4));
    clock_seq_hi_and_reserved = static_cast<unsigned char>(hex(19, 2));
    clock_seq_low = static_cast<unsigned char>(hex(21, 2));
    for (size_t i = 0; i < 6; ++i)
        node[i] = static_cast<unsigned char>(hex(24 + 2 * i, 2));
    return NoError;
}

GSErrCode Guid::ConvertFromString(const GS::UniString& string)
{
    return ConvertFromString(string.ToCStr(CC_UTF8).Get());
}

UniString Guid::ToUniString() const
{
    // Written digit by digit: the calculation turns a GUID into text for every element it reads.
    static const char digits[] = "0123456789ABCDEF";
    char buffer[37];
    char* out = buffer;
    const auto put = [&out](UInt32 value, int hexDigits) {
        for (int shift = 4 * (hexDigits - 1); shift >= 0; shift -= 4)
            *out++ = digits[(value >> shift) & 0xF];
    };
    put(time_low, 8);
    *out++ = '-';
    put(time_mid, 4);
    *out++ = '-';
    put(time_hi_and_version, 4);
    *out++ = '-';
    put(clock_seq_hi_and_reserved, 2);
    put(clock_seq_low, 2);
    *out++ = '-';
    for (int i = 0; i < 6; ++i)
        put(node[i], 2);
    *out = '\0';
    return UniString(buffer, CC_UTF8);
}

bool Guid::IsEqual(const Guid& rightOp) const { return *this == rightOp; }
bool Guid::IsNull() const { return *this == NULLGuid; }

Int32 Guid::Compare(const Guid& rightOp) const
{
    const int r = std::memcmp(this, &rightOp, sizeof(Guid));
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

bool Guid::operator==(const Guid& rightOp) const { return std::memcmp(this, &rightOp, sizeof(Guid)) == 0; }
bool Guid::operator!=(const Guid& rightOp) const { return !(*this == rightOp); }
bool Guid::operator<(const Guid& rightOp) const { return Compare(rightOp) < 0; }
bool Guid::operator>(const Guid& rightOp) const { return Compare(rightOp) > 0; }
bool Guid::operator<=(const Guid& rightOp) const { return Compare(rightOp) <= 0; }
bool Guid::operator>=(const Guid& rightOp) const { return Compare(rightOp) >= 0; }

ULong Guid::GenerateHashValue() const
{
    UInt32 words[4];
    std::memcpy(words, this, sizeof words);
    return words[0] + words[1] + words[2] + words[3];
}

}  // namespace GS
