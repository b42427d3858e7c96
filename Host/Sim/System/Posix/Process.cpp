#include "System/Process.hpp"

#include <sys/resource.h>
#include <unistd.h>

namespace Sim::System {

long ProcessNumber() { return static_cast<long>(getpid()); }

long PeakMemoryKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;  // kilobytes on Linux
}

}  // namespace Sim::System
