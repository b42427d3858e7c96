// GS::Guid: a 128-bit identifier with its text form.
#pragma once

#include "UniString.hpp"

#include <cstring>

namespace GS {

class HOSTLIB_API Guid {
public:
    Guid() = default;
    // Accepts 36 hexadecimal-and-hyphen characters, optionally in braces; anything else gives the null GUID.
    explicit Guid(const char* string);

    // 8-4-4-4-12 upper-case hexadecimal digits, no braces.
    UniString ToUniString() const;
    bool IsNull() const;
    // The four 32-bit words of the GUID's 16 bytes, in memory order.
    void GetWords(UInt32 words[4]) const { std::memcpy(words, &data_, 16); }

    bool operator==(const Guid& rightOp) const { return std::memcmp(&data_, &rightOp.data_, sizeof data_) == 0; }
    bool operator!=(const Guid& rightOp) const { return !(*this == rightOp); }

private:
    // The layout of the host's GUID record, which is converted to and from this class by reinterpretation.
    struct Data {
        UInt32 time_low;
        UInt16 time_mid;
        UInt16 time_hi_and_version;
        UChar clock_seq_hi_and_reserved;
        UChar clock_seq_low;
        UChar node[6];
    } data_{};
};

}  // namespace GS
