// The thread's last error of the platform functions. It is kept apart from Win32's own last error, which
// any call in between (the C library, the host, a debug print) may overwrite before the caller asks.
#pragma once

#include "Definitions.hpp"

namespace Platform {
namespace Detail {

// Sets the code the interface's GetLastError answers, and Win32's own to the same.
void SetLastError(UInt32 code);

// Takes Win32's last error as the interface's after a failed call, and answers false. A failure that
// left no code counts as an internal error rather than as a success.
bool FailWithSystemError();

bool Fail(UInt32 code);
bool Succeed();

}  // namespace Detail
}  // namespace Platform
