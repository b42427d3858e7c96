// Property groups and definitions of the project. Custom groups and definitions are the project's own (made
// by add-ons or users, saved in the project file); the built-in ones belong to the host and are the same
// in every project. Values live with their targets (AttachedData::propertyValues).
//
// The host holds single, string-valued custom definitions: the only kind add-ons write here.
#pragma once

#include "APIdefs_Properties.h"
#include "API_Guid.hpp"
#include "Model/ModelVisits.hpp"

#include <string>
#include <unordered_map>
#include <vector>

namespace Sim::Model {

struct PropertyGroup {
    API_Guid guid{};
    std::string name;  // unique among all groups, built-in ones included (compared exactly)
    std::string description;
    API_PropertyGroupType type = API_PropertyCustomGroupType;

    bool operator==(const PropertyGroup& other) const;
    bool operator!=(const PropertyGroup& other) const { return !(*this == other); }
};

struct PropertyDefinition {
    API_Guid guid{};
    API_Guid group{};
    std::string name;  // unique within its group
    std::string description;
    API_PropertyDefinitionType type = API_PropertyCustomDefinitionType;
    API_PropertyCollectionType collectionType = API_PropertySingleCollectionType;
    API_VariantType valueType = API_PropertyStringValueType;
    API_PropertyMeasureType measureType = API_PropertyDefaultMeasureType;
    std::string defaultValue;
    std::vector<API_Guid> availability;  // classification items, each once, in the order given
    bool canValueBeEditable = true;

    bool IsAvailableFor(const std::vector<API_Guid>& classificationItems) const;

    bool operator==(const PropertyDefinition& other) const;
    bool operator!=(const PropertyDefinition& other) const { return !(*this == other); }
};

// The host's built-in group and definitions for building materials: their values are the material's
// description and manufacturer texts.
namespace BuiltIn {
extern const API_Guid BuildingMaterialGroup;
extern const API_Guid BuildingMaterialDescription;
extern const API_Guid BuildingMaterialManufacturer;
const PropertyGroup& Group();
const std::vector<PropertyDefinition>& Definitions();
const PropertyDefinition* FindDefinition(const API_Guid& guid);
bool IsBuiltInGuid(const API_Guid& guid);
}  // namespace BuiltIn

// Found by GUID, by name, and by group through indexes kept with every change, so that a project of many
// groups and definitions answers each look-up in constant time.
class Properties {
public:
    // Custom groups and definitions, in creation order: walks, counted as visits of every entry.
    const std::vector<PropertyGroup>& Groups() const
    {
        CountVisits(groups_.size());
        return groups_;
    }
    const std::vector<PropertyDefinition>& Definitions() const
    {
        CountVisits(definitions_.size());
        return definitions_;
    }

    // Built-in ones included.
    const PropertyGroup* FindGroup(const API_Guid& guid) const;
    const PropertyGroup* FindGroupByName(const std::string& name) const;
    const PropertyDefinition* FindDefinition(const API_Guid& guid) const;
    const PropertyDefinition* FindDefinitionByName(const API_Guid& group, const std::string& name) const;
    // Custom only: the only ones that can change.
    const PropertyDefinition* FindCustomDefinition(const API_Guid& guid) const;
    // The custom definitions of the group, in creation order.
    std::vector<const PropertyDefinition*> DefinitionsOf(const API_Guid& group) const;

    // The caller has checked the name and GUID.
    PropertyGroup& AddGroup(PropertyGroup group);
    PropertyDefinition& AddDefinition(PropertyDefinition definition);
    // Puts `changed` in the place of the custom definition of its GUID (the caller has checked it).
    void ChangeDefinition(PropertyDefinition changed);

    bool ContainsGuid(const API_Guid& guid) const;

    bool operator==(const Properties& other) const;
    bool operator!=(const Properties& other) const { return !(*this == other); }

private:
    std::vector<PropertyGroup> groups_;
    std::vector<PropertyDefinition> definitions_;
    // Positions in the lists above.
    std::unordered_map<std::string, size_t> groupByGuid_;
    std::unordered_map<std::string, size_t> groupByName_;
    std::unordered_map<std::string, size_t> definitionByGuid_;
    std::unordered_map<std::string, size_t> definitionByName_;  // by group GUID and name
    std::unordered_map<std::string, std::vector<size_t>> definitionsByGroup_;
};

}  // namespace Sim::Model
