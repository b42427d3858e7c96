// One run of corvana-host: read the command line, start the host, run the command, save, finish.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace CorvanaHost {

// Returns the exit status: 0 ran, 1 the command could not do its work, 2 usage error, 3 no start.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace CorvanaHost
