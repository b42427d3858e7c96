// What one calculation reads of the project, and reads once: elements and their quantities through small
// checked calls, each attribute, its catalogue properties (its user data), and each product's stored
// catalogue properties. Nothing changes the project while the calculation runs, and the reads are made
// for one request.
#pragma once

#include "APIdefs_Attributes.h"
#include "APIdefs_Elements.h"
#include "Parsing/Items/CorvanaProperties.hpp"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>

namespace QRV {

class CalculationReads {
public:
    using AttributeKey = std::pair<int, Int32>;  // type and index number

    // What a product's record takes of its stored catalogue properties.
    struct StoredProduct {
        CorvanaProperties properties;
        GS::UniString referenceUnit;  // lower case
        GS::UniString bimUuid;
        GS::UniString densityText;
        double density = 0.0;
    };

    static constexpr API_ElemFilterFlags VisibleIn3D = APIFilt_OnVisLayer | APIFilt_In3D;

    // Empty when the host gives no list.
    static GS::Array<API_Guid> ElementsOfType(API_ElemTypeID typeID, API_ElemFilterFlags filter);
    static bool ReadElement(const API_Guid& guid, API_Element& element);
    // The marked quantities of one element.
    static bool ReadQuantities(const API_Guid& guid, const API_QuantitiesMask& mask, API_ElementQuantity& quantity);
    // The element's IFC name, told in the debug output.
    static GS::UniString IfcNameOf(const API_Guid& guid);
    static AttributeKey KeyOf(const API_Attribute& attribute);

    bool ReadAttributeOnce(API_AttrTypeID typeID, API_AttributeIndex index, API_Attribute& attribute) const;
    const CorvanaProperties& PropertiesOf(const API_Attribute& attribute) const;
    // Whether the attribute holds a user data text, a property list or not.
    bool HoldsStoredText(const API_Attribute& attribute) const;
    // Null when nothing is stored under the name.
    const StoredProduct* ProductPropertiesOf(const GS::UniString& name) const;

private:
    mutable std::map<AttributeKey, std::optional<API_Attribute>> attributes_;
    mutable std::map<AttributeKey, CorvanaProperties> properties_;
    mutable std::set<AttributeKey> storedTexts_;
    mutable std::unordered_map<std::string, std::optional<StoredProduct>> products_;
};

}  // namespace QRV
