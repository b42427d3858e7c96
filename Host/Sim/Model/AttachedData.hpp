// What add-ons and users attach to an attribute or an element besides its own data: classification items
// (one per classification system) and custom property values. Copying an element copies it; deleting the
// element drops it.
#pragma once

#include "GSRoot/Guid.hpp"

#include <map>
#include <string>

namespace Sim::Model {

struct PropertyValueRecord {
    std::string value;  // string-valued custom properties: the text
    bool isDefault = false;

    bool operator==(const PropertyValueRecord& other) const
    {
        return value == other.value && isDefault == other.isDefault;
    }
};

struct AttachedData {
    std::map<API_Guid, API_Guid> classification;             // system -> item
    std::map<API_Guid, PropertyValueRecord> propertyValues;  // definition -> value

    bool operator==(const AttachedData& other) const
    {
        return classification == other.classification && propertyValues == other.propertyValues;
    }
    bool operator!=(const AttachedData& other) const { return !(*this == other); }
};

}  // namespace Sim::Model
