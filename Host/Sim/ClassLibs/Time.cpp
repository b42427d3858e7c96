// Ticks and sleeping go through the host's clock, so that a test's fixed clock decides what the add-on
// measures and a skipped sleep costs no time.
#include "GSTime.hpp"
#include "Thread.hpp"

#include "Clock.hpp"
#include "Host.hpp"

#include <chrono>
#include <thread>

// The host's milliseconds, kept to the 32 bits of the tick counter.
GSTicks TIGetTicks()
{
    if (Sim::HasHost())
        return static_cast<GSTicks>(Sim::TheHost().GetClock().ReadTicks());
    using namespace std::chrono;
    return static_cast<GSTicks>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

GSTicks TIGetTicksPerSec() { return static_cast<GSTicks>(Sim::Clock::TicksPerSecond); }

namespace GS {

void Thread::Sleep(UInt32 timeout, bool /*interruptible*/)
{
    if (Sim::HasHost())
        Sim::TheHost().GetClock().Sleep(timeout);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(timeout));
}

}  // namespace GS
