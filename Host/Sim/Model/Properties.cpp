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

namespace {

std::string Key(const API_Guid& guid) { return std::string(reinterpret_cast<const char*>(&guid), sizeof guid); }
std::string NameKey(const API_Guid& group, const std::string& name) { return Key(group) + name; }

}  // namespace

const PropertyGroup* Properties::FindGroup(const API_Guid& guid) const
{
    CountVisits(1);
    if (guid == BuiltIn::BuildingMaterialGroup)
        return &BuiltIn::Group();
    auto found = groupByGuid_.find(Key(guid));
    return found == groupByGuid_.end() ? nullptr : &groups_[found->second];
}

const PropertyGroup* Properties::FindGroupByName(const std::string& name) const
{
    CountVisits(1);
    if (name == BuiltIn::Group().name)
        return &BuiltIn::Group();
    auto found = groupByName_.find(name);
    return found == groupByName_.end() ? nullptr : &groups_[found->second];
}

const PropertyDefinition* Properties::FindDefinition(const API_Guid& guid) const
{
    if (const auto* builtIn = BuiltIn::FindDefinition(guid))
        return builtIn;
    return FindCustomDefinition(guid);
}

const PropertyDefinition* Properties::FindDefinitionByName(const API_Guid& group, const std::string& name) const
{
    for (const auto& definition : BuiltIn::Definitions())
        if (definition.group == group && definition.name == name)
            return &definition;
    CountVisits(1);
    auto found = definitionByName_.find(NameKey(group, name));
    return found == definitionByName_.end() ? nullptr : &definitions_[found->second];
}

const PropertyDefinition* Properties::FindCustomDefinition(const API_Guid& guid) const
{
    CountVisits(1);
    auto found = definitionByGuid_.find(Key(guid));
    return found == definitionByGuid_.end() ? nullptr : &definitions_[found->second];
}

std::vector<const PropertyDefinition*> Properties::DefinitionsOf(const API_Guid& group) const
{
    std::vector<const PropertyDefinition*> list;
    auto found = definitionsByGroup_.find(Key(group));
    if (found == definitionsByGroup_.end())
        return list;
    CountVisits(found->second.size());
    for (size_t position : found->second)
        list.push_back(&definitions_[position]);
    return list;
}

PropertyGroup& Properties::AddGroup(PropertyGroup group)
{
    groupByGuid_.emplace(Key(group.guid), groups_.size());
    groupByName_.emplace(group.name, groups_.size());
    groups_.push_back(std::move(group));
    return groups_.back();
}

PropertyDefinition& Properties::AddDefinition(PropertyDefinition definition)
{
    const size_t position = definitions_.size();
    definitionByGuid_.emplace(Key(definition.guid), position);
    definitionByName_.emplace(NameKey(definition.group, definition.name), position);
    definitionsByGroup_[Key(definition.group)].push_back(position);
    definitions_.push_back(std::move(definition));
    return definitions_.back();
}

void Properties::ChangeDefinition(PropertyDefinition changed)
{
    auto found = definitionByGuid_.find(Key(changed.guid));
    if (found == definitionByGuid_.end())
        return;
    const size_t position = found->second;
    PropertyDefinition& existing = definitions_[position];
    if (existing.group != changed.group || existing.name != changed.name) {
        definitionByName_.erase(NameKey(existing.group, existing.name));
        definitionByName_.emplace(NameKey(changed.group, changed.name), position);
    }
    if (existing.group != changed.group) {
        // The group's list stays in creation order, as a listing of the whole would give it.
        std::vector<size_t>& former = definitionsByGroup_[Key(existing.group)];
        if (auto at = std::find(former.begin(), former.end(), position); at != former.end())
            former.erase(at);
        std::vector<size_t>& next = definitionsByGroup_[Key(changed.group)];
        next.insert(std::upper_bound(next.begin(), next.end(), position), position);
    }
    existing = std::move(changed);
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
