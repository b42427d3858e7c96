// The state of the host's process window, for tests and corvana-host to look at and script.
#pragma once

#include "Definitions.hpp"

#include <string>

namespace Sim {

struct ProcessWindowState {
    bool open = false;
    Int32 opened = 0;  // windows opened in this session
    std::string title;
    Int32 maximum = 0;
    Int32 value = 0;
    Int32 cancelChecks = 0;  // cancel checks in this session
    Int32 cancelAt = 0;      // the check at which the user cancels; 0: as the host option says
};

}  // namespace Sim
