// The input-output library's export mark and error codes.
#pragma once

#include "PlatformDLLExport.hpp"
#include "GSRoot.hpp"

#if defined(INPUTOUTPUT_DLL_COMPILE)
#define IO_DLL_EXPORT PLATFORM_DLL_EXPORT
#else
#define IO_DLL_EXPORT PLATFORM_DLL_IMPORT
#endif

namespace IO {

const Int32 ModuleId = 257;
const Int32 ErrorStart = static_cast<Int32>(0x80000000) | (ModuleId << 16);
const Int32 LocationErrors = ErrorStart + 0x0000;

}  // namespace IO
