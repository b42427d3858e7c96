// The catalogue's "replace system": every wall, slab and roof built of an existing composite is rebuilt of
// the newly written one and receives the catalogue properties stored on it.
#pragma once

#include "APIdefs_Attributes.h"

namespace QRV {

// Every element rebuilt, with its properties, in the undo step "Replace construction system" (or the one
// the add-on has open). An old composite that cannot be read changes nothing; a failing element is left and
// the next one tried.
void ReplaceConstructionSystem(API_AttributeIndex oldComposite, const API_Attribute& newComposite);

}  // namespace QRV
