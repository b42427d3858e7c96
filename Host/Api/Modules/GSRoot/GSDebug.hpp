// The host's debug output.
#pragma once

#include "Definitions.hpp"

HOSTLIB_API void DBPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
