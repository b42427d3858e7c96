// The "classificationSystems" section of the project file: each system with its item tree.
#include "Model/ProjectFileSections.hpp"
#include "SimUtf8.hpp"

#include <cstdio>
#include <string>

namespace Sim::Model {
namespace {

EditionDate ReadDate(const Json::Reader& member)
{
    const std::string text = member.String();
    bool wellFormed = text.size() == 10 && text[4] == '-' && text[7] == '-';
    for (size_t i = 0; wellFormed && i < text.size(); ++i)
        wellFormed = i == 4 || i == 7 || (text[i] >= '0' && text[i] <= '9');
    EditionDate date;
    if (wellFormed) {
        date.year = std::stoi(text.substr(0, 4));
        date.month = std::stoi(text.substr(5, 2));
        date.day = std::stoi(text.substr(8, 2));
    }
    if (!wellFormed || !date.IsValid() || date == EditionDate{})
        member.Fail("\"" + text + "\" is not a date of the calendar (YYYY-MM-DD)");
    return date;
}

std::string WriteDate(const EditionDate& date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(date.year), static_cast<int>(date.month),
                  static_cast<int>(date.day));
    return text;
}

void ReadItems(const Json::Reader& list, const API_Guid& system, const API_Guid& parent, Classifications& target,
               FileReadContext& context)
{
    for (const auto& entry : list.Array()) {
        auto object = entry.Object({"guid", "id", "name", "description", "children"});
        ClassificationItem item;
        item.guid = context.ClaimGuid(object.Required("guid"));
        item.system = system;
        item.parent = parent;
        auto id = object.Required("id");
        item.id = id.String();
        if (item.id.empty())
            id.Fail("an item's ID must not be empty");
        if (context.HasItemId(system, item.id))
            id.Fail("the ID \"" + item.id + "\" is used twice in this system");
        item.name = object.String("name", "");
        item.description = object.String("description", "");
        const API_Guid guid = item.guid;
        context.AddedItem(guid, system, item.id);
        target.AddItem(std::move(item), APINULLGuid);
        if (auto children = object.Optional("children"))
            ReadItems(*children, system, guid, target, context);
    }
}

Json::Value WriteItems(const Classifications& classifications, const API_Guid& system, const API_Guid& parent)
{
    Json::Value list = Json::Value::array();
    for (const auto& item : classifications.Children(system, parent)) {
        Json::Value object = Json::Value::object();
        object["guid"] = Sim::Utf8(APIGuidToString(item.guid));
        object["id"] = item.id;
        object["name"] = item.name;
        object["description"] = item.description;
        Json::Value children = WriteItems(classifications, system, item.guid);
        if (!children.empty())
            object["children"] = std::move(children);
        list.push_back(std::move(object));
    }
    return list;
}

}  // namespace

void ReadClassification(const Json::Reader& section, Project& project, FileReadContext& context)
{
    Classifications& classifications = project.classifications;
    for (const auto& entry : section.Array()) {
        auto object = entry.Object({"guid", "name", "source", "editionVersion", "editionDate", "description", "items"});
        ClassificationSystem system;
        system.guid = context.ClaimGuid(object.Required("guid"));
        auto name = object.Required("name");
        system.name = name.String();
        if (system.name.empty())
            name.Fail("a classification system's name must not be empty");
        system.source = object.String("source", "");
        system.editionVersion = object.String("editionVersion", "");
        if (context.HasSystemNamed(system.name, system.editionVersion))
            name.Fail("the system \"" + system.name + "\" of edition \"" + system.editionVersion + "\" is listed twice");
        if (auto date = object.Optional("editionDate"))
            system.editionDate = ReadDate(*date);
        system.description = object.String("description", "");
        const API_Guid guid = system.guid;
        context.AddedSystem(guid, system.name, system.editionVersion);
        classifications.AddSystem(std::move(system));
        if (auto items = object.Optional("items"))
            ReadItems(*items, guid, APINULLGuid, classifications, context);
    }
}

Json::Value WriteClassification(const Project& project)
{
    Json::Value section = Json::Value::array();
    for (const auto& system : project.classifications.Systems()) {
        Json::Value object = Json::Value::object();
        object["guid"] = Sim::Utf8(APIGuidToString(system.guid));
        object["name"] = system.name;
        object["source"] = system.source;
        object["editionVersion"] = system.editionVersion;
        if (!(system.editionDate == EditionDate{}))
            object["editionDate"] = WriteDate(system.editionDate);
        object["description"] = system.description;
        object["items"] = WriteItems(project.classifications, system.guid, APINULLGuid);
        section.push_back(std::move(object));
    }
    return section;
}

}  // namespace Sim::Model
