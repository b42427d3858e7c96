// Objects already placed from a library part receive the catalogue properties stored under its name.
#pragma once

#include "GSRoot/UniString.hpp"

namespace QRV {

GSErrCode StampPlacedObjects(const GS::UniString& libPartName);

}  // namespace QRV
