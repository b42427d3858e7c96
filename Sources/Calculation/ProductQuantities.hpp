// The placed products of the calculation: windows, doors and objects counted by piece, and the building
// materials of columns, beams and profiled walls by volume, grouped by name.
#pragma once

#include "Calculation/CalculationReads.hpp"
#include "Calculation/CompositeInfo.hpp"

#include <nlohmann/json.hpp>

#include <vector>

namespace QRV {

class ProductQuantities {
public:
    explicit ProductQuantities(const CalculationReads& reads) : reads_(reads) {}

    // Windows, doors, objects, then the building materials of columns, beams and profiled walls.
    nlohmann::json Calculate() const;
    nlohmann::json CalculateOfType(API_ElemTypeID type, const GS::UniString& defaultUnit) const;

    // A record without its catalogue properties, and where they are: only a record that starts a group
    // takes a copy of them.
    struct MeasuredRecord {
        CompositeInfo record;
        const CorvanaProperties* attributes = nullptr;
    };
    // One record per building-material part of a wall, column or beam.
    std::vector<MeasuredRecord> CollectMaterialParts(const API_Elem_Head& header) const;

private:
    MeasuredRecord BuildProductRecord(const API_Element& element, const GS::UniString& productName,
                                      const GS::UniString& storedName, const GS::UniString& defaultUnit) const;

    const CalculationReads& reads_;
};

}  // namespace QRV
