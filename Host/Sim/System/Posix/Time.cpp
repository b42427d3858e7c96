#include "System/Time.hpp"

namespace Sim::System {

bool UtcTime(std::time_t time, std::tm* utc)
{
    std::tm converted{};
    if (utc == nullptr || gmtime_r(&time, &converted) == nullptr)
        return false;
    *utc = converted;
    return true;
}

}  // namespace Sim::System
