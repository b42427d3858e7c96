#include "Clock.hpp"

#include <chrono>
#include <thread>

namespace Sim {

Int64 Clock::Ticks() const
{
    if (fixed_)
        return ticks_;
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

Int64 Clock::ReadTicks()
{
    const Int64 ticks = Ticks();
    if (fixed_)
        ticks_ += stepPerReading_;
    return ticks;
}

std::time_t Clock::Now() const
{
    if (fixed_)
        return wall_ + static_cast<std::time_t>(ticks_ / TicksPerSecond);
    return std::time(nullptr);
}

void Clock::Set(std::time_t wallSeconds, Int64 ticks)
{
    fixed_ = true;
    wall_ = wallSeconds - static_cast<std::time_t>(ticks / TicksPerSecond);
    ticks_ = ticks;
}

void Clock::Advance(Int64 milliseconds)
{
    if (fixed_)
        ticks_ += milliseconds;
}

void Clock::Sleep(Int64 milliseconds)
{
    if (fixed_)
        ticks_ += milliseconds;
    if (!skipSleep_ && milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace Sim
