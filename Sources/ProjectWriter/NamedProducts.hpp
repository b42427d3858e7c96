// Products that are not library parts (curtain walls and stairs): their properties are remembered under
// the product's name in module data and stamped onto every element whose IFC "Name" is that name, now and
// whenever an element gets that name later.
#pragma once

#include "APIdefs_Elements.h"
#include "Parsing/Items/CorvanaProperties.hpp"

namespace QRV {

// The product payload as a property list: "name", "id" and "updated_at" of group "Corvana", then one
// property per tab attribute with the tab's name as group.
CorvanaProperties ProductPropertyList(const Json& payload);

// True to go on: asks the replace question when a library part or a stored product of that name exists,
// unless the caller (a bulk run) replaces without asking.
bool ConfirmReplaceByName(const GS::UniString& name, const GS::UniString& kind, bool replaceWithoutAsking = false);

// The name a library part's properties are stored under: its document name without the ".gsm" that the
// document name of an imported part carries, since the properties are stored under the file name without
// its extension. Other names stay as they are.
GS::UniString LibraryPartKeyName(const GS::UniString& documentName);

// Applies what is stored for the element's key name (its IFC "Name" for curtain walls and stairs, its
// library part's name otherwise) to the element. Runs inside the host's notification: no own undo scope.
GSErrCode ApplyStoredPropertiesToElement(const API_Guid& elemGuid);

}  // namespace QRV
