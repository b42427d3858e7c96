// Curtain walls and stairs of the calculation: one record per IFC name, the curtain walls' contour surface
// and the stairs' volume added up.
#pragma once

#include "Calculation/CalculationReads.hpp"

#include <nlohmann/json.hpp>

namespace QRV {

class NamedGroupQuantities {
public:
    explicit NamedGroupQuantities(const CalculationReads& reads) : reads_(reads) {}

    nlohmann::json CalculateCurtainWalls() const;
    nlohmann::json CalculateStairs() const;

private:
    nlohmann::json CalculateNamedGroups(API_ElemTypeID type) const;

    const CalculationReads& reads_;
};

}  // namespace QRV
