// The systems of the calculation: walls, slabs and roofs of one building material or composite, grouped
// by it, with their structure described layer by layer.
#pragma once

#include "Calculation/CalculationReads.hpp"

#include <nlohmann/json.hpp>

#include <map>

namespace QRV {

class SystemQuantities {
public:
    explicit SystemQuantities(const CalculationReads& reads) : reads_(reads) {}

    // Walls, then slabs, then roofs of basic and composite structure.
    nlohmann::json Calculate() const;
    // The structure description of a building material (basic) or a composite.
    nlohmann::json BuildSystemInfo(const API_Attribute& attribute) const;
    // One layer: a building material, its catalogue id and its "Ostrel Attributes".
    nlohmann::json BuildLayerInfo(const API_Attribute& buildingMaterial) const;

private:
    void AddSystemsOfType(API_ElemTypeID type, Int32 typeId, const char* systemType, nlohmann::json& result) const;
    // Described once per attribute.
    const nlohmann::json& SystemInfoOf(const API_Attribute& attribute) const;

    const CalculationReads& reads_;
    mutable std::map<CalculationReads::AttributeKey, nlohmann::json> systemInfos_;
};

}  // namespace QRV
