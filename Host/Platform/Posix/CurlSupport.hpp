// What the internet functions share: libcurl's one-time set-up, the security settings every transfer
// gets, and the thread's last error.
#pragma once

#include "Definitions.hpp"

#include <curl/curl.h>

#include <string>

namespace Platform {
namespace Detail {

// Initialises libcurl once per process; false when that failed.
bool EnsureCurlReady();

// Certificate and host name verification (always on), the extra certificate authorities named by
// CORVANA_CA_BUNDLE, no signals, and the time limits for connecting and for a stalled transfer.
void ApplyTransferSafety(CURL* easy);

// The error code that stands for a failed transfer; `detail` is curl's error text, which tells apart
// some certificate failures.
UInt32 ErrorFromCurl(CURLcode code, const char* detail);

void SetLastError(UInt32 code);

}  // namespace Detail
}  // namespace Platform
