// The resource manager's export mark.
#pragma once

#include "PlatformDLLExport.hpp"

#if defined(RS_DLL_COMPILE)
#define RS_DLL_EXPORT PLATFORM_DLL_EXPORT
#else
#define RS_DLL_EXPORT PLATFORM_DLL_IMPORT
#endif
