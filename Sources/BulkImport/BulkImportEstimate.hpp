// How long a bulk import of construction systems will take, in whole seconds, for both scopes: writing the
// systems into the project library only, or into the library and every placed wall, slab and roof that
// uses one of them. Stamping an element costs far more than writing a material, and a model with elements
// in it makes each material slower to write.
#pragma once

#include "UniString.hpp"

#include <nlohmann/json.hpp>

namespace QRV {

struct BulkImportEstimate {
    static constexpr Int64 SecondsPerElement = 18;
    static constexpr Int64 SecondsPerMaterialInModel = 6;  // any element in the model
    static constexpr Int64 SecondsPerMaterialEmptyModel = 1;
    static constexpr Int64 SecondsPerSystem = 1;

    Int64 materials = 0;  // materials of all systems
    Int64 elements = 0;   // placed elements using one of the systems
    Int64 systems = 0;
    bool modelHasElements = false;

    Int64 LibraryOnlySeconds() const;
    Int64 LibraryAndModelSeconds() const;

    // Counts over the bulk list and the element lists gathered before. A list that is not a JSON array
    // counts nothing.
    static BulkImportEstimate Of(const nlohmann::json& list);
};

// The "name" of a system of the bulk list as text; empty when it has none that reads as text.
GS::UniString BulkSystemName(const nlohmann::json& system);

}  // namespace QRV
