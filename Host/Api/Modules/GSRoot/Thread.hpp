// The host's threads, as far as an add-on uses them: pausing the calling thread.
#pragma once

#include "Definitions.hpp"

namespace GS {

class GSROOT_DLL_EXPORT Thread {
public:
    // Pauses the calling thread for `timeout` milliseconds.
    static void Sleep(UInt32 timeout, bool interruptible = true);
};

}  // namespace GS
