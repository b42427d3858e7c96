// UTF-8 is the text of JSON, of the log, of file paths and of the host's narrow name fields; the host's
// own default code page is the system's. Every conversion between GS::UniString and UTF-8 bytes goes
// through these two, which name the code page.
#pragma once

#include "UniString.hpp"

#include <string>

namespace QRV {

std::string ToUtf8(const GS::UniString& text);
GS::UniString FromUtf8(const std::string& text);

}  // namespace QRV
