// Names travel to the host in the attribute header's fixed narrow field.
#pragma once

#include "APIdefs_Attributes.h"

#include <string>

namespace QRV {

// Copies the name into the header as UTF-8; false (and an empty name) when it does not fit in 255 bytes or
// holds a zero character. A cut name could silently match another attribute, so callers refuse such names
// instead of cutting them.
bool SetAttributeName(API_Attr_Head& header, const GS::UniString& name);

// Why SetAttributeName refuses the name, worded to follow the quoted name in a log line ("is longer than
// the host's 255-byte name field", "holds a zero character, ..."); "" for a name it takes.
std::string AttributeNameProblem(const GS::UniString& name);

}  // namespace QRV
