// The host's debug output.
#pragma once

#include "Definitions.hpp"

#include <cstdarg>

GSROOT_DLL_EXPORT void CCALL DBPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
GSROOT_DLL_EXPORT void CCALL DBVPrintf(const char* format, va_list argList);
