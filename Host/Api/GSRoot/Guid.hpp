// GS::Guid and the host's GUID record with their text forms.
#pragma once

#include "GSRoot/UniString.hpp"

#include <cstring>

struct API_Guid {
    // Plain data (no initialisers), so that host records holding a GUID may sit in unions; value-initialise
    // with API_Guid{} for the null GUID.
    UInt32 time_low;
    UInt16 time_mid;
    UInt16 time_hi_and_version;
    UChar clock_seq_hi_and_reserved;
    UChar clock_seq_low;
    UChar node[6];

    bool operator==(const API_Guid& other) const { return std::memcmp(this, &other, sizeof(API_Guid)) == 0; }
    bool operator!=(const API_Guid& other) const { return !(*this == other); }
    bool operator<(const API_Guid& other) const { return std::memcmp(this, &other, sizeof(API_Guid)) < 0; }
};
static_assert(sizeof(API_Guid) == 16, "the host's GUID record is 16 bytes");

inline const API_Guid APINULLGuid{};

namespace GS {

class HOSTLIB_API Guid {
public:
    Guid() = default;
    explicit Guid(const API_Guid& guid) : guid_(guid) {}
    // Accepts 36 hexadecimal-and-hyphen characters, optionally in braces; anything else gives the null GUID.
    explicit Guid(const char* text);

    // 8-4-4-4-12 upper-case hexadecimal digits, no braces.
    UniString ToUniString() const;
    bool IsNull() const { return guid_ == APINULLGuid; }
    const API_Guid& ToAPIGuid() const { return guid_; }
    // The four 32-bit words of the GUID's 16 bytes, in memory order.
    void GetWords(UInt32 words[4]) const { std::memcpy(words, &guid_, 16); }

    bool operator==(const Guid& other) const { return guid_ == other.guid_; }
    bool operator!=(const Guid& other) const { return guid_ != other.guid_; }

private:
    API_Guid guid_{};
};

}  // namespace GS

inline API_Guid GSGuid2APIGuid(const GS::Guid& guid) { return guid.ToAPIGuid(); }
inline GS::Guid APIGuid2GSGuid(const API_Guid& guid) { return GS::Guid(guid); }
inline GS::UniString APIGuidToString(const API_Guid& guid) { return GS::Guid(guid).ToUniString(); }
inline API_Guid APIGuidFromString(const char* text) { return GS::Guid(text).ToAPIGuid(); }
