// The host's GUID record and its conversions to and from GS::Guid, which has the same 16 bytes.
#pragma once

#include "GSGuid.hpp"
#include "UniString.hpp"

#include <cstring>

struct API_Guid {
    // Plain data (no initialisers), so that host records holding a GUID may sit in unions; value-initialise
    // with API_Guid{} for the null GUID.
    UInt32 time_low;
    unsigned short time_mid;
    unsigned short time_hi_and_version;
    unsigned char clock_seq_hi_and_reserved;
    unsigned char clock_seq_low;
    unsigned char node[6];
};
static_assert(sizeof(API_Guid) == sizeof(GS::Guid), "the host's GUID record and GS::Guid share their bytes");

inline const API_Guid APINULLGuid{};

inline GS::Guid& APIGuid2GSGuid(API_Guid& guid) { return reinterpret_cast<GS::Guid&>(guid); }
inline const GS::Guid& APIGuid2GSGuid(const API_Guid& guid) { return reinterpret_cast<const GS::Guid&>(guid); }
inline API_Guid& GSGuid2APIGuid(GS::Guid& guid) { return reinterpret_cast<API_Guid&>(guid); }
inline const API_Guid& GSGuid2APIGuid(const GS::Guid& guid) { return reinterpret_cast<const API_Guid&>(guid); }

inline API_Guid APIGuidFromString(const char* str) { return GSGuid2APIGuid(GS::Guid(str)); }
inline GS::UniString APIGuidToString(const API_Guid& guid) { return APIGuid2GSGuid(guid).ToUniString(); }

inline bool operator==(const API_Guid& apiGuid1, const API_Guid& apiGuid2)
{
    return std::memcmp(&apiGuid1, &apiGuid2, sizeof(API_Guid)) == 0;
}
inline bool operator!=(const API_Guid& apiGuid1, const API_Guid& apiGuid2) { return !(apiGuid1 == apiGuid2); }
inline bool operator<(const API_Guid& apiGuid1, const API_Guid& apiGuid2)
{
    return std::memcmp(&apiGuid1, &apiGuid2, sizeof(API_Guid)) < 0;
}
