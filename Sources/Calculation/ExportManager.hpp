// The model's quantities for the calculation page: placed products, wall/slab/roof systems with their
// layers, curtain walls and stairs, as one JSON document. Holds nothing between requests.
#pragma once

#include "APIdefs_Attributes.h"
#include "APIdefs_Elements.h"
#include "Calculation/CompositeInfo.hpp"
#include "Parsing/Items/CorvanaProperties.hpp"

#include <nlohmann/json.hpp>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace QRV {

class ExportManager {
public:
    // The whole document, read from the floor plan; the database that was current is current again after.
    std::string CalculationText() const;
    nlohmann::json CalculationDocument() const;

    // Windows, doors, objects, then the building materials of columns, beams and profiled walls.
    nlohmann::json CalculateProducts() const;
    nlohmann::json CalculateProductsOfType(API_ElemTypeID type, const GS::UniString& defaultUnit) const;
    // A record without its catalogue properties, and where they are: only a record that starts a group
    // takes a copy of them.
    struct MeasuredRecord {
        CompositeInfo record;
        const CorvanaProperties* attributes = nullptr;
    };
    // One record per building-material part of a wall, column or beam.
    std::vector<MeasuredRecord> CollectMaterialParts(const API_Elem_Head& header) const;

    // Walls, then slabs, then roofs of basic and composite structure.
    nlohmann::json CalculateSystems() const;
    // The structure description of a building material (basic) or a composite.
    nlohmann::json BuildSystemInfo(const API_Attribute& attribute) const;
    // One layer: a building material, its catalogue id and its "Ostrel Attributes".
    nlohmann::json BuildLayerInfo(const API_Attribute& buildingMaterial) const;

    nlohmann::json CalculateCurtainWalls() const;
    nlohmann::json CalculateStairs() const;

private:
    using AttributeKey = std::pair<int, Int32>;  // type and index number
    static AttributeKey KeyOf(const API_Attribute& attribute);

    // What one calculation reads of each attribute, read once: the attribute itself, its catalogue
    // properties (its user data) and its structure description; and each product's stored catalogue
    // properties. Nothing changes the project while the calculation runs, and the manager is made for
    // one request.
    bool ReadAttributeOnce(API_AttrTypeID typeID, API_AttributeIndex index, API_Attribute& attribute) const;
    const CorvanaProperties& PropertiesOf(const API_Attribute& attribute) const;
    // Whether the attribute holds a user data text, a property list or not.
    bool HoldsStoredText(const API_Attribute& attribute) const;
    const nlohmann::json& SystemInfoOf(const API_Attribute& attribute) const;
    // What a product's record takes of its stored catalogue properties, read once per product name.
    struct StoredProduct {
        CorvanaProperties properties;
        GS::UniString referenceUnit;  // lower case
        GS::UniString bimUuid;
        GS::UniString densityText;
        double density = 0.0;
    };
    // Null when nothing is stored under the name.
    const StoredProduct* ProductPropertiesOf(const GS::UniString& name) const;

    mutable std::map<AttributeKey, std::optional<API_Attribute>> attributes_;
    mutable std::map<AttributeKey, CorvanaProperties> properties_;
    mutable std::set<AttributeKey> storedTexts_;
    mutable std::map<AttributeKey, nlohmann::json> systemInfos_;
    mutable std::unordered_map<std::string, std::optional<StoredProduct>> products_;

    MeasuredRecord BuildProductRecord(const API_Element& element, const GS::UniString& productName,
                                      const GS::UniString& storedName, const GS::UniString& defaultUnit) const;
    void AddSystemsOfType(API_ElemTypeID type, Int32 typeId, const char* systemType,
                          nlohmann::json& result) const;
    nlohmann::json CalculateNamedGroups(API_ElemTypeID type) const;
};

}  // namespace QRV
