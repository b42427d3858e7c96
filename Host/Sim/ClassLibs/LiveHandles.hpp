// For the simulator's tests: how many memory handles are allocated and not yet killed, to find handles
// that leak across the host boundary.
#pragma once

#include "Definitions.hpp"

namespace Sim {

Int32 LiveHandleCount();

}  // namespace Sim
