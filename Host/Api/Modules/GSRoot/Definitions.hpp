// Basic types of the host's root library, with the host's names.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__GNUC__)
#define HOSTLIB_API __attribute__((visibility("default")))
#else
#define HOSTLIB_API
#endif

using Int8 = std::int8_t;
using UInt8 = std::uint8_t;
using Int16 = std::int16_t;
using UInt16 = std::uint16_t;
using Int32 = std::int32_t;
using UInt32 = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using UIndex = std::uint32_t;
using ULong = std::uint32_t;
using USize = std::uint32_t;
using UChar = unsigned char;
using GSFlags = Int32;
using GSType = UInt32;
using GSErrCode = Int32;
using GSPtr = char*;
using GSConstPtr = const char*;
using GSHandle = char**;
using GSResModule = Int32;

constexpr GSErrCode NoError = 0;

namespace GS {
using Int32 = ::Int32;
using UInt32 = ::UInt32;
using Int64 = ::Int64;
using UInt64 = ::UInt64;
using Int16 = ::Int16;
using UInt16 = ::UInt16;
using ErrCode = ::GSErrCode;
}

// Character codes of text conversions. The host's default narrow code page is UTF-8 here, so no name
// loses characters on the way through a narrow record field.
enum GSCharCode { CC_Default = 0, CC_UTF8 = 1, CC_System = 2 };

namespace GS {

// The byte order stored data was written in, as the two letters of its platform.
enum PlatformSign {
    Unknown_Platform_Sign = 0,
    Mac_Platform_Sign = 19789,     // 'MM'
    Mactel_Platform_Sign = 28013,  // 'mm'
    Win_Platform_Sign = 22359,     // 'WW'
    Unx_Platform_Sign = 21845      // 'UU'
};

#if defined(macintosh)
const PlatformSign Act_Platform_Sign = Mactel_Platform_Sign;
#elif defined(__linux__)
const PlatformSign Act_Platform_Sign = Unx_Platform_Sign;
#else
const PlatformSign Act_Platform_Sign = Win_Platform_Sign;
#endif

}  // namespace GS
