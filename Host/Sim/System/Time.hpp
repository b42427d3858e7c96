// Calendar time as the system converts it, for the host's own time stamps.
#pragma once

#include <ctime>

namespace Sim::System {

// The UTC calendar time of `time`; false, and `utc` untouched, when the system cannot convert it.
bool UtcTime(std::time_t time, std::tm* utc);

}  // namespace Sim::System
