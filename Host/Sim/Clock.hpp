// The host's clock. Real time by default; tests set it and let it advance only when asked, and may skip
// sleeping through the host.
#pragma once

#include "Definitions.hpp"

#include <ctime>

namespace Sim {

class Clock {
public:
    static constexpr Int64 TicksPerSecond = 1000;

    Int64 Ticks() const;
    std::time_t Now() const;  // wall-clock seconds for dates and log lines

    // Fixes the clock at `wallSeconds` (and the tick counter at `ticks`); it then moves only by Advance
    // and by sleeps.
    void Set(std::time_t wallSeconds, Int64 ticks = 0);
    void Advance(Int64 milliseconds);
    bool IsFixed() const { return fixed_; }

    // The add-on's reading of the ticks (TIGetTicks). A fixed clock may move on by a set step after each
    // such reading, as if the work between two readings took that long; 0 (the default) keeps it still.
    Int64 ReadTicks();
    void SetStepPerReading(Int64 milliseconds) { stepPerReading_ = milliseconds; }

    // Sleeping through the host: real sleep unless skipping is on; a fixed clock advances either way.
    void Sleep(Int64 milliseconds);
    void SetSkipSleep(bool skip) { skipSleep_ = skip; }

private:
    bool fixed_ = false;
    bool skipSleep_ = false;
    std::time_t wall_ = 0;
    Int64 ticks_ = 0;
    Int64 stepPerReading_ = 0;
};

}  // namespace Sim
