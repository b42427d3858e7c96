// Names of the host's error codes, for messages people read.
#pragma once

#include "Definitions.hpp"

#include <string>

namespace Sim {

// "APIERR_BADNAME" for its code, "NoError" for 0; null for a code the host does not know.
const char* ErrorName(GSErrCode code);
// "APIERR_BADNAME (0x81060067)", "NoError", or the bare hexadecimal value of an unknown code.
std::string DescribeError(GSErrCode code);

}  // namespace Sim
