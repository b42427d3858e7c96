#include "GSRoot/Guid.hpp"

#include <cctype>
#include <cstdio>
#include <string>

namespace GS {

Guid::Guid(const char* text)
{
    if (text == nullptr)
        return;
    std::string s(text);
    if (s.size() == 38 && s.front() == '{' && s.back() == '}')
        s = s.substr(1, 36);
    if (s.size() != 36)
        return;
    for (size_t i = 0; i < s.size(); ++i) {
        bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        if (hyphen ? s[i] != '-' : !std::isxdigit(static_cast<unsigned char>(s[i])))
            return;
    }
    auto hex = [&s](size_t pos, size_t len) { return static_cast<UInt32>(std::stoul(s.substr(pos, len), nullptr, 16)); };
    guid_.time_low = hex(0, 8);
    guid_.time_mid = static_cast<UInt16>(hex(9, 4));
    guid_.time_hi_and_version = static_cast<UInt16>(hex(14, 4));
    guid_.clock_seq_hi_and_reserved = static_cast<UChar>(hex(19, 2));
    guid_.clock_seq_low = static_cast<UChar>(hex(21, 2));
    for (size_t i = 0; i < 6; ++i)
        guid_.node[i] = static_cast<UChar>(hex(24 + 2 * i, 2));
}

UniString Guid::ToUniString() const
{
    char buffer[37];
    std::snprintf(buffer, sizeof buffer, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", guid_.time_low,
                  guid_.time_mid, guid_.time_hi_and_version, guid_.clock_seq_hi_and_reserved, guid_.clock_seq_low,
                  guid_.node[0], guid_.node[1], guid_.node[2], guid_.node[3], guid_.node[4], guid_.node[5]);
    return UniString(buffer);
}

}  // namespace GS
