// The "properties" section of the project file (custom groups and definitions), the "moduleData" section,
// and the "attached" member of attributes and elements (classification items and property values).
#include "Model/ProjectFileSections.hpp"
#include "SimUtf8.hpp"

#include <algorithm>
#include <set>
#include <utility>

namespace Sim::Model {
namespace {

const std::pair<API_PropertyMeasureType, const char*> measureNames[] = {
    {API_PropertyDefaultMeasureType, "default"}, {API_PropertyLengthMeasureType, "length"},
    {API_PropertyAreaMeasureType, "area"},       {API_PropertyVolumeMeasureType, "volume"},
    {API_PropertyAngleMeasureType, "angle"},
};

API_PropertyMeasureType ReadMeasure(const Json::Reader& member)
{
    const std::string text = member.String();
    for (const auto& [type, name] : measureNames)
        if (text == name)
            return type;
    member.Fail("\"" + text + "\" is not a measure type (default, length, area, volume, angle)");
}

const char* MeasureName(API_PropertyMeasureType type)
{
    for (const auto& [candidate, name] : measureNames)
        if (candidate == type)
            return name;
    return "default";
}

// The only kinds the host holds: the member may be left out, and when given must name that kind.
void ReadFixedWord(const Json::ObjectReader& object, const char* key, const char* word)
{
    if (auto member = object.Optional(key))
        if (member->String() != word)
            member->Fail(std::string("only \"") + word + "\" definitions are held");
}

void ReadGroup(const Json::Reader& entry, Properties& properties, FileReadContext& context)
{
    auto object = entry.Object({"guid", "name", "description"});
    PropertyGroup group;
    auto guid = object.Required("guid");
    group.guid = context.ClaimGuid(guid);
    if (BuiltIn::IsBuiltInGuid(group.guid))
        guid.Fail("the GUID belongs to one of the host's built-in properties");
    auto name = object.Required("name");
    group.name = name.String();
    if (group.name.empty())
        name.Fail("a property group's name must not be empty");
    if (context.HasGroupNamed(group.name))
        name.Fail("a property group named \"" + group.name + "\" exists already");
    group.description = object.String("description", "");
    context.AddedGroup(group.guid, group.name);
    properties.AddGroup(std::move(group));
}

void ReadDefinition(const Json::Reader& entry, Properties& properties, FileReadContext& context)
{
    auto object = entry.Object({"guid", "group", "name", "description", "collectionType", "valueType", "measureType",
                                "defaultValue", "availability", "canValueBeEditable"});
    PropertyDefinition definition;
    auto guid = object.Required("guid");
    definition.guid = context.ClaimGuid(guid);
    if (BuiltIn::IsBuiltInGuid(definition.guid))
        guid.Fail("the GUID belongs to one of the host's built-in properties");
    auto group = object.Required("group");
    definition.group = ReadGuidReference(group);
    const std::string* owner = context.CustomGroupName(definition.group);
    if (owner == nullptr)
        group.Fail("no custom property group has this GUID");
    auto name = object.Required("name");
    definition.name = name.String();
    if (definition.name.empty())
        name.Fail("a property definition's name must not be empty");
    if (context.HasDefinitionNamed(definition.group, definition.name))
        name.Fail("the group \"" + *owner + "\" has a definition named \"" + definition.name + "\" already");
    definition.description = object.String("description", "");
    ReadFixedWord(object, "collectionType", "single");
    ReadFixedWord(object, "valueType", "string");
    if (auto measure = object.Optional("measureType"))
        definition.measureType = ReadMeasure(*measure);
    definition.defaultValue = object.String("defaultValue", "");
    if (auto availability = object.Optional("availability")) {
        std::set<API_Guid> listed;
        for (const auto& itemEntry : availability->Array()) {
            API_Guid item = ReadGuidReference(itemEntry);
            if (context.SystemOfItem(item) == nullptr)
                itemEntry.Fail("no classification item has this GUID");
            if (!listed.insert(item).second)
                itemEntry.Fail("the item is listed twice");
            definition.availability.push_back(item);
        }
    }
    definition.canValueBeEditable = object.Bool("canValueBeEditable", true);
    context.AddedDefinition(definition.guid, definition.group, definition.name);
    properties.AddDefinition(std::move(definition));
}

}  // namespace

API_Guid ReadGuidReference(const Json::Reader& member)
{
    const std::string text = member.String();
    GS::Guid guid(text.c_str());
    if (text.size() != 36 || guid.IsNull())
        member.Fail("\"" + text + "\" is not a GUID (36 characters: 8-4-4-4-12 hexadecimal digits, not all zero)");
    return GSGuid2APIGuid(guid);
}

void ReadProperties(const Json::Reader& section, Project& project, FileReadContext& context)
{
    auto object = section.Object({"groups", "definitions"});
    if (auto groups = object.Optional("groups"))
        for (const auto& entry : groups->Array())
            ReadGroup(entry, project.properties, context);
    if (auto definitions = object.Optional("definitions"))
        for (const auto& entry : definitions->Array())
            ReadDefinition(entry, project.properties, context);
}

Json::Value WriteProperties(const Project& project)
{
    Json::Value groups = Json::Value::array();
    for (const auto& group : project.properties.Groups())
        groups.push_back(Json::Value{{"guid", Sim::Utf8(APIGuidToString(group.guid))},
                                     {"name", group.name},
                                     {"description", group.description}});
    Json::Value definitions = Json::Value::array();
    for (const auto& definition : project.properties.Definitions()) {
        Json::Value object = Json::Value::object();
        object["guid"] = Sim::Utf8(APIGuidToString(definition.guid));
        object["group"] = Sim::Utf8(APIGuidToString(definition.group));
        object["name"] = definition.name;
        object["description"] = definition.description;
        object["collectionType"] = "single";
        object["valueType"] = "string";
        object["measureType"] = MeasureName(definition.measureType);
        object["defaultValue"] = definition.defaultValue;
        Json::Value availability = Json::Value::array();
        for (const auto& item : definition.availability)
            availability.push_back(Sim::Utf8(APIGuidToString(item)));
        object["availability"] = std::move(availability);
        object["canValueBeEditable"] = definition.canValueBeEditable;
        definitions.push_back(std::move(object));
    }
    Json::Value section = Json::Value::object();
    section["groups"] = std::move(groups);
    section["definitions"] = std::move(definitions);
    return section;
}

AttachedData ReadAttachedData(const Json::Reader& member, const FileReadContext& context)
{
    auto object = member.Object({"classification", "propertyValues"});
    AttachedData attached;
    if (auto classification = object.Optional("classification")) {
        for (const auto& entry : classification->Array()) {
            auto pair = entry.Object({"system", "item"});
            auto systemMember = pair.Required("system");
            const API_Guid system = ReadGuidReference(systemMember);
            if (!context.HasSystem(system))
                systemMember.Fail("no classification system has this GUID");
            if (attached.classification.count(system) != 0)
                systemMember.Fail("one item per classification system: the system is listed twice");
            auto itemMember = pair.Required("item");
            const API_Guid item = ReadGuidReference(itemMember);
            const API_Guid* itemSystem = context.SystemOfItem(item);
            if (itemSystem == nullptr || *itemSystem != system)
                itemMember.Fail("no item of that classification system has this GUID");
            attached.classification[system] = item;
        }
    }
    if (auto values = object.Optional("propertyValues")) {
        for (const auto& entry : values->Array()) {
            auto pair = entry.Object({"definition", "value"});
            auto definitionMember = pair.Required("definition");
            const API_Guid definition = ReadGuidReference(definitionMember);
            if (!context.HasCustomDefinition(definition))
                definitionMember.Fail("no custom property definition has this GUID");
            if (attached.propertyValues.count(definition) != 0)
                definitionMember.Fail("the definition has a value already");
            attached.propertyValues[definition] = PropertyValueRecord{pair.RequiredString("value")};
        }
    }
    return attached;
}

Json::Value WriteAttachedData(const AttachedData& attached)
{
    Json::Value classification = Json::Value::array();
    for (const auto& [system, item] : attached.classification)
        classification.push_back(Json::Value{{"system", Sim::Utf8(APIGuidToString(system))},
                                             {"item", Sim::Utf8(APIGuidToString(item))}});
    Json::Value values = Json::Value::array();
    for (const auto& [definition, record] : attached.propertyValues)
        values.push_back(
            Json::Value{{"definition", Sim::Utf8(APIGuidToString(definition))}, {"value", record.value}});
    Json::Value object = Json::Value::object();
    object["classification"] = std::move(classification);
    object["propertyValues"] = std::move(values);
    return object;
}

void ReadModuleData(const Json::Reader& section, Project& project, FileReadContext& /*context*/)
{
    if (!section.Raw().is_object())
        section.Fail("module data is an object of entries by name");
    // The parse refuses a name given twice, so every entry is new here.
    for (const auto& [name, value] : section.Raw().items())
        project.moduleData.emplace_hint(project.moduleData.end(), name, ReadUserData(section.Child(value, name)));
}

Json::Value WriteModuleData(const Project& project)
{
    // The names are unique (a map), so each entry goes straight to the end: assigning by name would look
    // through every entry written before it.
    Json::Value section = Json::Value::object();
    auto& entries = section.get_ref<Json::Value::object_t&>();
    for (const auto& [name, entry] : project.moduleData)
        entries.Container::emplace_back(name, WriteUserData(entry));
    return section;
}

}  // namespace Sim::Model
