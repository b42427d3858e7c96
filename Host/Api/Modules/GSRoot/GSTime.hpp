// The host's tick counter: a steady count that only moves forward, for measuring how long work took. The
// count is 32 bits wide and wraps; take differences of two readings as GSTicks.
#pragma once

#include "Definitions.hpp"

typedef UInt32 GSTicks;
typedef Int32 GSTime;

GSROOT_DLL_EXPORT GSTicks TIGetTicks();
GSROOT_DLL_EXPORT GSTicks TIGetTicksPerSec();
