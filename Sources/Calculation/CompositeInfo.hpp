// One row of the product quantities: a product, or one building material of walls, columns and beams.
#pragma once

#include "Parsing/Items/CorvanaProperties.hpp"

#include <nlohmann/json.hpp>

namespace QRV {

class CompositeInfo {
public:
    GS::UniString type;          // "Furniture", "Windows", "Doors", or the host's name of the element type
    GS::UniString id;            // GUID text of the first element, or of the building material
    GS::UniString name;          // the group's name
    GS::UniString defaultValue;  // reference unit, lower case
    GS::UniString bimUuid;       // catalogue id, "" when unknown
    double area = 0.0;
    double volume = 0.0;
    double length = 0.0;
    double weight = 0.0;
    Int32 pieces = 0;
    Int32 materialIndex = 0;     // building-material parts only; not part of the document
    CorvanaProperties attributes;

    // Another element of the same group: its quantities are added and it counts one more piece; everything
    // else stays as the first element left it.
    void Absorb(const CompositeInfo& other);

    nlohmann::json ToJson() const;
};

}  // namespace QRV
