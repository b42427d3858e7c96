// The host's tick counter: a steady count that only moves forward, for measuring how long work took.
#pragma once

#include "Definitions.hpp"

using GSTicks = Int64;

HOSTLIB_API GSTicks TIGetTicks();
HOSTLIB_API GSTicks TIGetTicksPerSec();
