// The folder under which the special folders of this system live. The simulated host's home folder when
// it was given one; else the folder named by the environment variable CORVANA_HOME; else a temporary
// folder made once for this process.
#pragma once

#include <string>

namespace Platform {
namespace Detail {

// Empty when no folder could be found or made.
std::string HomeFolder();

}  // namespace Detail
}  // namespace Platform
