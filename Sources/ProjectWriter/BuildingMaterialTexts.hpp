#pragma once

#include "APIdefs_Attributes.h"
#include "Array.hpp"

namespace QRV {

// The display texts of the attribute's "Building Material Description" and "Building Material
// Manufacturer" properties, in the host's definition order. Returns the code of the definitions query.
GSErrCode ReadBuildingMaterialTexts(API_AttrTypeID typeID, API_AttributeIndex index, GS::Array<GS::UniString>& texts);

}  // namespace QRV
