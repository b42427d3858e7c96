// `bench`: one page call measured: wall time of the call, the process's peak memory, and the host
// functions the add-on called during it.
#pragma once

#include "Commands.hpp"

namespace CorvanaHost {

Command BenchCommand();

}  // namespace CorvanaHost
