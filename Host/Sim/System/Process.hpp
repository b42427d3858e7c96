// What the simulated host and the command-line host ask of the system about their own process.
#pragma once

namespace Sim::System {

// This process's number, for names that other processes must not take.
long ProcessNumber();

// The most memory the process has held in RAM so far, in kilobytes.
long PeakMemoryKilobytes();

}  // namespace Sim::System
