// The model's quantities for the calculation page: placed products, wall/slab/roof systems with their
// layers, curtain walls and stairs, as one JSON document. Holds nothing between requests.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace QRV {

class ExportManager {
public:
    // The whole document, read from the floor plan; the database that was current is current again after.
    std::string CalculationText() const;
    nlohmann::json CalculationDocument() const;
};

}  // namespace QRV
