// The host's element notifications: new, copied and changed elements receive the catalogue properties
// stored for what they are made of (walls, slabs, roofs: their building material or composite) or for
// their product name (objects, windows, doors: their library part; curtain walls, stairs: their IFC name).
#pragma once

#include "APIdefs_Callback.h"
#include "UniString.hpp"

namespace QRV {

// Installs ElementEventHandler as the new-element handler for every element type and as the element
// observer. The host's answers are not acted on: without them the add-on works, just without stamping.
void InstallElementEventHandlers();

// One function for both roles: writes a debug line per notification and stamps what was stored.
GSErrCode ElementEventHandler(const API_NotifyElementType* elemType);
// Walls, slabs and roofs: created or changed ones receive the stored properties of their structure.
GSErrCode ElemPlacedEventHandler(const API_NotifyElementType* elemType);
// Resets the catalogue properties the element received before (those of its recorded list, whatever their
// group, and the group "Corvana") to their defaults; creates nothing when there is nothing to reset.
void SetDefaultValuesForCorvanaProperties(const API_Guid& elemGuid);

}  // namespace QRV
