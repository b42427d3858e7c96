// What the simulated host and the command-line host ask of the system about their own process.
#pragma once

#include <string>

namespace Sim::System {

// This process's number, for names that other processes must not take.
long ProcessNumber();

// While set, a SIGINT or SIGTERM that would end the process first removes `folder` and all it holds; an
// empty text forgets the folder. For a temporary folder the process made for itself; a handler the
// process installs later (serve's orderly stop) takes the signals over and gives them back.
void RemoveFolderOnStopSignal(const std::string& folder);

// The most memory the process has held in RAM so far, in kilobytes.
long PeakMemoryKilobytes();

}  // namespace Sim::System
