// The root of everything the catalogue page can hand us for import: a building material, a composite, a
// library container or a single library part.
#pragma once

#include "APIdefs_Attributes.h"

namespace QRV {

class BaseItem {
public:
    BaseItem() = default;
    BaseItem(const BaseItem&) = default;
    BaseItem& operator=(const BaseItem&) = default;
    virtual ~BaseItem();

    // Runs after the item's attribute was written (the record, when the writer has one at hand): writes
    // what the item carries beyond the attribute itself. Nothing to write for a bare item.
    virtual void StoreProperties(const API_Attribute* attributeRecord);
    // Refreshes the item's properties from what an earlier import stored on its attribute.
    virtual void LoadStoredProperties();
};

}  // namespace QRV
