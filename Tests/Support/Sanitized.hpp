// Whether this test program runs under AddressSanitizer. Its build is unoptimised and keeps shadow memory
// beside every allocation, so time and memory ceilings calibrated for the normal build do not hold in it;
// those tests leave their measurements to the normal build.
#pragma once

namespace QRVTest {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif
#else
constexpr bool Sanitized = false;
#endif

constexpr const char* MeasuredInTheNormalBuild = "a time ceiling on a text at the size limit is measured in the normal build";

}  // namespace QRVTest
