// The host's threads, as far as an add-on uses them: pausing the calling thread.
#pragma once

#include "Definitions.hpp"

namespace GS {

class HOSTLIB_API Thread {
public:
    // Pauses the calling thread; the host's clock moves on by the same time.
    static void Sleep(UInt32 milliseconds);
};

}  // namespace GS
