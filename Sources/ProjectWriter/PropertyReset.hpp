// Taking back the catalogue properties an element no longer has a reason to carry: when it is changed to a
// structure without catalogue data, or to another catalogue item whose list lacks some of them.
#pragma once

#include "APIdefs_Elements.h"
#include "Parsing/Items/CorvanaProperties.hpp"

namespace QRV {

// The element lost its catalogue data: every property of the list stamped onto it before (the element's
// user data), whatever its group, and every property of the group "Corvana" go back to their defaults, and
// the element's list is emptied. Nothing is created and nothing is written when there is nothing to reset.
void ResetFormerCatalogueProperties(const API_Guid& elemGuid);

// The element is about to receive `successor`: the properties of its former list that `successor` does not
// have go back to their defaults. The caller stamps `successor` and records it.
void ResetPropertiesNotIn(const API_Guid& elemGuid, const CorvanaProperties& successor);

}  // namespace QRV
