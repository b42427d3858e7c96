// One group of walls, slabs or roofs of one building material or composite.
#pragma once

#include "APIdefs_Base.h"
#include "UniString.hpp"

#include <nlohmann/json.hpp>

namespace QRV {

class SystemRecord {
public:
    static constexpr double ThicknessTolerance = 0.00001;

    Int32 typeId = 0;             // 1 wall, 3 slab, 2 roof
    double area = 0.0;
    double thickness = 0.0;       // centimetres
    GS::UniString attributeGuid;  // of the building material (basic) or the composite
    GS::UniString systemType;     // "Wall", "Slab", "Roof"
    bool basic = false;           // of one building material; otherwise of a composite
    nlohmann::json info = nlohmann::json::object();  // the structure: name, id, bim_uuid, subtype, layers

    // Elements of one composite form one group whatever their thickness; elements of one building material
    // only when they are equally thick.
    bool SameGroupAs(const SystemRecord& other) const;

    nlohmann::json ToJson() const&;
    // The same, taking the structure description instead of copying it.
    nlohmann::json ToJson() &&;

private:
    // The structure description with the group's type and area added.
    nlohmann::json WithTotals(nlohmann::json record) const;
};

}  // namespace QRV
