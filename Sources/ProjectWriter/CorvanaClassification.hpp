// The add-on's own classification: system "Corvana", edition "v 1.0", with the item "Corvana" at its root.
// Custom property definitions are made available through this item, so every attribute or element that
// receives catalogue properties is classified with it first.
#pragma once

#include "APIdefs_Attributes.h"

namespace QRV {

extern const char* const CorvanaClassificationName;     // "Corvana"
extern const char* const CorvanaClassificationEdition;  // "v 1.0"

// The system's GUID, creating the system (dated today) when missing; null when the host refuses.
API_Guid GetCorvanaClassificationSystem();
// The item with the ID "Corvana", searched depth first, created at the system's root when missing; null
// when the host refuses.
API_Guid GetCorvanaClassificationItem();

class HostLookups;

// Attach the item; nothing happens when the item cannot be had. With `lookups`, the item is looked up once
// per run.
GSErrCode ClassifyAttribute(const API_Attr_Head& header);
GSErrCode ClassifyElement(const API_Guid& elemGuid);
GSErrCode ClassifyAttribute(const API_Attr_Head& header, HostLookups& lookups);
GSErrCode ClassifyElement(const API_Guid& elemGuid, HostLookups& lookups);

}  // namespace QRV
