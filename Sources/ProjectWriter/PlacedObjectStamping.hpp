// Objects placed before their library part was imported (or imported again) receive the part's stored
// properties by the part's name; objects placed later receive them through the element notifications.
#pragma once

#include "Definitions.hpp"
#include "UniString.hpp"

namespace QRV {

// After a library part import: every placed object of that part receives the part's stored properties.
GSErrCode StampPlacedObjects(const GS::UniString& libPartName);

}  // namespace QRV
