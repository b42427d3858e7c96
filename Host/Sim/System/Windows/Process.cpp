#include "System/Process.hpp"
#include "SystemText.hpp"

#include <psapi.h>

namespace Sim::System {

long ProcessNumber() { return static_cast<long>(::GetCurrentProcessId()); }

long PeakMemoryKilobytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}

}  // namespace Sim::System
