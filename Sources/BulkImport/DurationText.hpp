// A duration as the bulk import shows it: whole hours, minutes and seconds, each printed two wide, with
// leading zero parts left out (" 1h 16m  0s", " 1h  5s", "59s", " 0s").
#pragma once

#include "UniString.hpp"

namespace QRV {

// A negative duration reads as no time at all.
GS::UniString DurationText(Int64 seconds);

}  // namespace QRV
