#include "GSGuid.hpp"

#include <cctype>
#include <cstdio>
#include <cstring>
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
    data_.time_low = hex(0, 8);
    data_.time_mid = static_cast<UInt16>(hex(9, 4));
    data_.time_hi_and_version = static_cast<UInt16>(hex(14, 4));
    data_.clock_seq_hi_and_reserved = static_cast<UChar>(hex(19, 2));
    data_.clock_seq_low = static_cast<UChar>(hex(21, 2));
    for (size_t i = 0; i < 6; ++i)
        data_.node[i] = static_cast<UChar>(hex(24 + 2 * i, 2));
}

bool Guid::IsNull() const
{
    static const Data null{};
    return std::memcmp(&data_, &null, sizeof data_) == 0;
}

UniString Guid::ToUniString() const
{
    char buffer[37];
    std::snprintf(buffer, sizeof buffer, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", data_.time_low,
                  data_.time_mid, data_.time_hi_and_version, data_.clock_seq_hi_and_reserved, data_.clock_seq_low,
                  data_.node[0], data_.node[1], data_.node[2], data_.node[3], data_.node[4], data_.node[5]);
    return UniString(buffer);
}

}  // namespace GS
