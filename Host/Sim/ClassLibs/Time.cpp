// Ticks and sleeping go through the host's clock, so that a test's fixed clock decides what the add-on
// measures and a skipped sleep costs no time.
#include "GSTime.hpp"
#include "Thread.hpp"

#include "Clock.hpp"
#include "Host.hpp"

#include <chrono>
#include <thread>

GSTicks TIGetTicks()
{
    if (Sim::HasHost())
        return Sim::TheHost().GetClock().ReadTicks();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

GSTicks TIGetTicksPerSec() { return Sim::Clock::TicksPerSecond; }

namespace GS {

void Thread::Sleep(UInt32 milliseconds)
{
    if (Sim::HasHost())
        Sim::TheHost().GetClock().Sleep(milliseconds);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace GS
