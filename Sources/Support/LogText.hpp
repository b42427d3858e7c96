// What a message becomes inside one line of the add-on's log.
#pragma once

#include <string>

namespace QRV {

// `message` with its line breaks and tabs as \n, \r, \t, other control bytes as \xHH, and C1 controls and
// the Unicode line separators as \uHHHH; everything else unchanged.
std::string EscapedForLogLine(const std::string& message);

}  // namespace QRV
