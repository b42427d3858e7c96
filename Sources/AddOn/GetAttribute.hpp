#pragma once

#include "APIdefs_Attributes.h"

namespace QRV {

// Fetches an attribute by its type and name. A host error is reported and the record returned anyway,
// then holding only the type and the name; `err` (when given) receives the host's code. A name too long
// for the host's field is not looked up at all (APIERR_BADNAME).
API_Attribute GetAttribute(const GS::UniString& name, API_AttrTypeID typeID, GSErrCode* err = nullptr);

}  // namespace QRV
