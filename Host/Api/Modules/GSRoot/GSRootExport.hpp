// The root library's export mark.
#pragma once

#include "PlatformDLLExport.hpp"

#if defined(GSROOT_DLL_COMPILE)
#define GSROOT_DLL_EXPORT PLATFORM_DLL_EXPORT
#else
#define GSROOT_DLL_EXPORT PLATFORM_DLL_IMPORT
#endif
