// What add-ons and users attach to an attribute or an element besides its own data: classification items
// (one per classification system) and custom property values. Copying an element copies it; deleting the
// element drops it.
//
// Only values set on the target are kept: a value reset to its default is removed, and a definition
// without a kept value reads as its default. A value stays when its definition stops
// being available for the target (as the host keeps it, hidden, until the definition is available again).
#pragma once

#include "API_Guid.hpp"

#include <map>
#include <string>
#include <vector>

namespace Sim::Model {

struct PropertyValueRecord {
    std::string value;  // string-valued custom properties: the text

    bool operator==(const PropertyValueRecord& other) const { return value == other.value; }
};

struct AttachedData {
    std::map<API_Guid, API_Guid> classification;             // system -> item
    std::map<API_Guid, PropertyValueRecord> propertyValues;  // definition -> value

    bool IsEmpty() const { return classification.empty() && propertyValues.empty(); }
    // The items of all systems.
    std::vector<API_Guid> ClassificationItems() const
    {
        std::vector<API_Guid> items;
        for (const auto& entry : classification)
            items.push_back(entry.second);
        return items;
    }

    bool operator==(const AttachedData& other) const
    {
        return classification == other.classification && propertyValues == other.propertyValues;
    }
    bool operator!=(const AttachedData& other) const { return !(*this == other); }
};

}  // namespace Sim::Model
