// The dialog library's export mark.
#pragma once

#include "PlatformDLLExport.hpp"

#define DGCALLBACK CCALL

#if defined(DG_DLL_COMPILE)
#define DG_DLL_EXPORT PLATFORM_DLL_EXPORT
#else
#define DG_DLL_EXPORT PLATFORM_DLL_IMPORT
#endif
