#pragma once

#include "APIdefs_Attributes.h"

namespace QRV {

// A record of the kind with every byte zero: the host's attribute record has no constructor, and what goes
// to the host must carry no stale bytes (a stray text or name pointer would be written through).
API_Attribute BlankAttribute(API_AttrTypeID typeID);

// Fetches an attribute by its type and name. A host error is reported and the record returned anyway,
// then holding only the type and the name; `err` (when given) receives the host's code. A name too long
// for the host's field is not looked up at all (APIERR_BADNAME).
API_Attribute GetAttribute(const GS::UniString& name, API_AttrTypeID typeID, GSErrCode* err = nullptr);

}  // namespace QRV
