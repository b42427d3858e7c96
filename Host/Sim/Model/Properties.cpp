#include "Model/Properties.hpp"

#include <algorithm>

namespace Sim::Model {

bool PropertyGroup::operator==(const PropertyGroup& other) const
{
    return guid == other.guid && name == other.name && description == other.description && type == other.type;
}

bool PropertyDefinition::IsAvailableFor(const std::vector<API_Guid>& classificationItems) const
{
    for (const auto& item : classificationItems)
        if (std::find(availability.begin(), availability.end(), item) != availability.end())
            return true;
    return false;
}

bool PropertyDefinition::operator==(const PropertyDefinition& other) const
{
    return guid == other.guid && group == other.group && name == other.name && description == other.description &&
           type == other.type && collectionType == other.collectionType && valueType == other.valueType &&
           measureType == other.measureType && defaultValue == other.defaultValue &&
           availability == other.availability && canValueBeEditable == other.canValueBeEditable;
}

namespace BuiltIn {

const API_Guid BuildingMaterialGroup = APIGuidFromString("6E3A1B52-0C4D-4F0B-9D43-0B6F1A7C2E01");
const API_Guid BuildingMaterialDescription = APIGuidFromString("6E3A1B52-0C4D-4F0B-9D43-0B6F1A7C2E02");
const API_Guid BuildingMaterialManufacturer = APIGuidFromString("6E3A1B52-0C4D-4F0B-9D43-0B6F1A7C2E03");

const PropertyGroup& Group()
{
    static const PropertyGroup group{BuildingMaterialGroup, "Building Material", "",
                                     API_PropertyStaticBuiltInGroupType};
    return group;
}

const std::vector<PropertyDefinition>& Definitions()
{
    static const std::vector<PropertyDefinition> definitions = [] {
        std::vector<PropertyDefinition> list;
        for (const auto& [guid, name] : {std::make_pair(BuildingMaterialDescription, "Building Material Description"),
                                         std::make_pair(BuildingMaterialManufacturer, "Building Material Manufacturer")}) {
            PropertyDefinition definition;
            definition.guid = guid;
            definition.group = BuildingMaterialGroup;
            definition.name = name;
            definition.type = API_PropertyStaticBuiltInDefinitionType;
            definition.canValueBeEditable = false;
            list.push_back(definition);
        }
        return list;
    }();
    return definitions;
}

const PropertyDefinition* FindDefinition(const API_Guid& guid)
{
    for (const auto& definition : Definitions())
        if (definition.guid == guid)
            return &definition;
    return nullptr;
}

bool IsBuiltInGuid(const API_Guid& guid) { return guid == BuildingMaterialGroup || FindDefinition(guid) != nullptr; }

}  // namespace BuiltIn

const PropertyGroup* Properties::FindGroup(const API_Guid& guid) const
{
    if (guid == BuiltIn::BuildingMaterialGroup)
        return &BuiltIn::Group();
    for (const auto& group : groups_)
        if (group.guid == guid)
            return &group;
    return nullptr;
}

const PropertyGroup* Properties::FindGroupByName(const std::string& name) const
{
    if (name == BuiltIn::Group().name)
        return &BuiltIn::Group();
    for (const auto& group : groups_)
        if (group.name == name)
            return &group;
    return nullptr;
}

const PropertyDefinition* Properties::FindDefinition(const API_Guid& guid) const
{
    if (const auto* builtIn = BuiltIn::FindDefinition(guid))
        return builtIn;
    return const_cast<Properties*>(this)->FindCustomDefinition(guid);
}

const PropertyDefinition* Properties::FindDefinitionByName(const API_Guid& group, const std::string& name) const
{
    for (const auto& definition : BuiltIn::Definitions())
        if (definition.group == group && definition.name == name)
            return &definition;
    for (const auto& definition : definitions_)
        if (definition.group == group && definition.name == name)
            return &definition;
    return nullptr;
}

PropertyDefinition* Properties::FindCustomDefinition(const API_Guid& guid)
{
    for (auto& definition : definitions_)
        if (definition.guid == guid)
            return &definition;
    return nullptr;
}

PropertyGroup& Properties::AddGroup(PropertyGroup group)
{
    groups_.push_back(std::move(group));
    return groups_.back();
}

PropertyDefinition& Properties::AddDefinition(PropertyDefinition definition)
{
    definitions_.push_back(std::move(definition));
    return definitions_.back();
}

bool Properties::ContainsGuid(const API_Guid& guid) const
{
    return FindGroup(guid) != nullptr || FindDefinition(guid) != nullptr;
}

bool Properties::operator==(const Properties& other) const
{
    return groups_ == other.groups_ && definitions_ == other.definitions_;
}

}  // namespace Sim::Model
