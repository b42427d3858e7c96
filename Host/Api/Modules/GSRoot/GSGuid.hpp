// GS::Guid: a 128-bit identifier with its text form (8-4-4-4-12 hexadecimal digits).
#pragma once

#include "Definitions.hpp"

namespace GS {

class UniString;

class GSROOT_DLL_EXPORT Guid {
protected:
    UInt32 time_low;
    unsigned short time_mid;
    unsigned short time_hi_and_version;
    unsigned char clock_seq_hi_and_reserved;
    unsigned char clock_seq_low;
    unsigned char node[6];

public:
    Guid();
    // 36 hexadecimal digits and hyphens, optionally in braces; anything else gives the null GUID.
    explicit Guid(const char* string);
    explicit Guid(const GS::UniString& string);

    void Clear();

    // Upper-case digits, no braces.
    UniString ToUniString() const;
    GSErrCode ConvertFromString(const char* string);
    GSErrCode ConvertFromString(const GS::UniString& string);

    bool IsEqual(const Guid& rightOp) const;
    bool IsNull() const;
    Int32 Compare(const Guid& rightOp) const;

    bool operator==(const Guid& rightOp) const;
    bool operator!=(const Guid& rightOp) const;
    bool operator<(const Guid& rightOp) const;
    bool operator>(const Guid& rightOp) const;
    bool operator<=(const Guid& rightOp) const;
    bool operator>=(const Guid& rightOp) const;

    ULong GenerateHashValue() const;
};

static_assert(sizeof(Guid) == 16, "a GUID is 16 bytes");

GSROOT_DLL_EXPORT extern const Guid NULLGuid;

}  // namespace GS
