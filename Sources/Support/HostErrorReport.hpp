// The host error report: turns a host error code into its documented name and text and logs it at error
// level, with a label naming the failing call. Code 0 reports nothing.
#pragma once

#include "Definitions.hpp"

#include <string>

namespace QRV {

// The message the report logs, or "" for NoError.
std::string HostErrorMessage(GSErrCode err, const char* label = nullptr);
void ReportHostError(GSErrCode err, const char* label = nullptr);

}  // namespace QRV
