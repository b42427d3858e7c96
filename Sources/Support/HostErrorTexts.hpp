#pragma once

#include "Definitions.hpp"

#include <map>

namespace QRV {

// Code -> "APIERR_NAME - Description." for the 72 host error codes the error report names.
const std::map<GSErrCode, const char*>& HostErrorTexts();

}  // namespace QRV
