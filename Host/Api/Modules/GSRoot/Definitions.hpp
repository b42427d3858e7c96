// Basic types, limits, error codes and calling conventions of the host's root library.
#pragma once

#include "GSRootExport.hpp"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <new>
#include <utility>

#ifndef STDCALL
#if defined(_MSC_VER)
#define STDCALL __stdcall
#else
#define STDCALL
#endif
#endif

#ifndef CCALL
#if defined(_MSC_VER)
#define CCALL __cdecl
#else
#define CCALL
#endif
#endif

namespace GS {

typedef char Int8;
typedef unsigned char UInt8;
typedef short Int16;
typedef unsigned short UInt16;
typedef int Int32;
typedef unsigned int UInt32;
typedef long long Int64;
typedef unsigned long long UInt64;

static constexpr Int16 MaxInt16 = 32767;
static constexpr UInt16 MaxUInt16 = 65535;
static constexpr Int32 MaxInt32 = 2147483647;
static constexpr UInt32 MaxUInt32 = 4294967295U;
static constexpr Int64 MaxInt64 = 9223372036854775807LL;
static constexpr Int16 MinInt16 = -32768;
static constexpr Int32 MinInt32 = -2147483647 - 1;
static constexpr Int64 MinInt64 = -9223372036854775807LL - 1;

typedef Int64 IntPtr;    // as wide as a pointer
typedef UInt64 UIntPtr;

typedef UInt32 GSType;
typedef UInt32 GSFlags;
typedef Int32 GSSize;    // signed, as the host's memory manager counts bytes
typedef Int32 GSIndex;
typedef char* GSPtr;
typedef const char* GSConstPtr;
typedef GSPtr* GSHandle;
typedef const char* const* GSConstHandle;
typedef short GSErr;
typedef Int32 GSErrCode;
typedef GSErrCode ErrCode;
typedef UInt32 USize;    // a count in the unit of its context
typedef UInt32 UIndex;

static constexpr UIndex MaxUIndex = 4294967295U;
static constexpr USize MaxUSize = 4294967295U;

typedef UInt8 UChar;
typedef UInt16 UShort;
typedef UInt32 ULong;

typedef char Utf8Char;
typedef UInt16 Utf16Char;

// The byte order and platform a stored block of data was written on.
enum PlatformSign {
    Unknown_Platform_Sign = 0,
    Mac_Platform_Sign = 19789,
    Mactel_Platform_Sign = 28013,
    Win_Platform_Sign = 22359,
    Unx_Platform_Sign = 21845
};

#if defined(macintosh)
const PlatformSign Act_Platform_Sign = Mactel_Platform_Sign;
#elif defined(_WIN32)
const PlatformSign Act_Platform_Sign = Win_Platform_Sign;
#else
const PlatformSign Act_Platform_Sign = Unx_Platform_Sign;
#endif

enum : GSErrCode {
    NoError = 0,
    ErrIO = -36,
    ErrParam = -50,
    ErrMemoryFull = -108,
    ErrNilHandle = -109,
    ErrNilPtr = -7001,
    ErrEmptyHandle = -7002,
    Cancel = -7004,
    ExceptionError = -7005
};

enum ErrorType : GSErrCode { Error = -7003 };

}  // namespace GS

using GS::GSConstHandle;
using GS::GSConstPtr;
using GS::GSErr;
using GS::GSErrCode;
using GS::GSFlags;
using GS::GSHandle;
using GS::GSIndex;
using GS::GSPtr;
using GS::GSSize;
using GS::GSType;
using GS::Int16;
using GS::Int32;
using GS::Int64;
using GS::Int8;
using GS::MaxInt16;
using GS::MaxInt32;
using GS::MaxInt64;
using GS::MaxUInt16;
using GS::MaxUInt32;
using GS::MaxUIndex;
using GS::MaxUSize;
using GS::MinInt16;
using GS::MinInt32;
using GS::MinInt64;
using GS::UChar;
using GS::UIndex;
using GS::UInt16;
using GS::UInt32;
using GS::UInt64;
using GS::UInt8;
using GS::ULong;
using GS::UShort;
using GS::USize;
using GS::Utf16Char;
using GS::Utf8Char;
using GS::Cancel;
using GS::Error;
using GS::ErrIO;
using GS::ErrMemoryFull;
using GS::ErrNilHandle;
using GS::ErrNilPtr;
using GS::ErrParam;
using GS::ExceptionError;
using GS::NoError;
