// The utility library's export marks and calling convention.
#pragma once

#include "PlatformDLLExport.hpp"

#if defined(_MSC_VER)
#define GSU_CALL __stdcall
#else
#define GSU_CALL
#endif

#if defined(GSUTILS_DLL_COMPILE)
#define GSUTILS_DLL_EXPORT_CPP PLATFORM_DLL_EXPORT
#else
#define GSUTILS_DLL_EXPORT_CPP PLATFORM_DLL_IMPORT
#endif
