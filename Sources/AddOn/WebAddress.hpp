// Which texts the add-on hands to the operating system's browser: only absolute web addresses, so that a
// page can never make it open a local file, run a script address or start another program.
#pragma once

#include "UniString.hpp"

namespace QRV {

// An absolute http or https address with a host: no spaces or control characters anywhere, the scheme in
// any letter case, an optional port of digits.
bool IsAbsoluteWebAddress(const GS::UniString& text);

// The address with the characters that may not stand unescaped in a path, query or fragment (space,
// `"<>\^`{|}`) percent-encoded after its scheme and host: catalogue links carry file names with blanks
// and queries with JSON. The scheme and host are left as they are, so that a blank there still makes the
// address no web address; control characters are left too, and refused by IsAbsoluteWebAddress.
GS::UniString EncodeWebAddress(const GS::UniString& text);

}  // namespace QRV
