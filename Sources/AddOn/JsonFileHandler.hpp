// JSON files opened through the host (file type "json", reference number 1) are imported like a payload
// of the catalogue page.
#pragma once

#include "ACAPinc.h"
#include "Location.hpp"

#include <optional>

namespace QRV {

constexpr Int32 JsonFileTypeRef = 1;

// Acts only for a file merged into the project (method IO_MERGE, 2); always answers NoError (what the
// import did is its own business).
GSErrCode JsonFileHandler(const API_IOParams* ioParams);

// The whole file taken as UTF-8 text, or nothing when it cannot be read.
std::optional<GS::UniString> ReadFileAsText(const IO::Location& location);

}  // namespace QRV
