// The names by which catalogue products are matched to placed elements.
#pragma once

#include "API_Guid.hpp"
#include "APIdefs_Base.h"

namespace QRV {

// The value of the element's IFC attribute named exactly "Name"; `name` is left as it is when none.
void ReadIfcName(const API_Guid& elemGuid, GS::UniString& name);
// The value of the element's property "name" of the group "Corvana" (the first such definition listed).
bool ReadCorvanaNameProperty(const API_Guid& elemGuid, GS::UniString& name);

}  // namespace QRV
