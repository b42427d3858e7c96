// The "libraries" section of the project file.
#include "Model/ProjectFileSections.hpp"
#include "SimUtf8.hpp"

#include <filesystem>
#include <limits>
#include <set>

namespace Sim::Model {
namespace {

constexpr size_t NameLimit = 31;  // parameter names: the host's record holds 31 bytes

std::string ReadAbsolutePath(const Json::Reader& member)
{
    std::string path = member.String();
    // "/" starts an absolute path on Windows too (the current drive's); "C:\..." only there.
    if (path.empty() || (path.front() != '/' && !PathFromUtf8(path).is_absolute()))
        member.Fail("a library location is an absolute path");
    return path;
}

// A path inside the embedded library: relative, and never climbing out of it.
std::string ReadEmbeddedPath(const Json::Reader& member)
{
    std::string path = member.String();
    if (path.empty() || path.front() == '/' || PathFromUtf8(path).has_root_path())
        member.Fail("a location in the embedded library is a relative path");
    for (const auto& part : PathFromUtf8(path))
        if (part == "..")
            member.Fail("a location in the embedded library cannot leave it (\"..\")");
    return path;
}

LibraryParameter ReadParameter(const Json::Reader& item, std::set<std::string>& names)
{
    auto object = item.Object({"name", "type", "flags", "description", "text", "value"});
    LibraryParameter parameter;
    auto name = object.Required("name");
    parameter.name = name.String();
    if (parameter.name.empty() || parameter.name.size() > NameLimit)
        name.Fail("a parameter name has 1 to " + std::to_string(NameLimit) + " bytes");
    if (!names.insert(parameter.name).second)
        name.Fail("the part has another parameter named \"" + parameter.name + "\"");
    parameter.type = static_cast<Int32>(object.Required("type").Integer(1, 255));
    parameter.flags = static_cast<Int32>(object.Integer("flags", 0, std::numeric_limits<Int32>::max(), 0));
    parameter.description = object.String("description", "");
    const bool isText = parameter.type == 12;
    if (isText && object.Has("value"))
        object.Required("value").Fail("a text parameter holds \"text\", not \"value\"");
    if (!isText && object.Has("text"))
        object.Required("text").Fail("only a text parameter (type 12) holds \"text\"");
    parameter.text = object.String("text", "");
    parameter.number = object.Number("value", 0);
    return parameter;
}

Json::Value WriteParameter(const LibraryParameter& parameter)
{
    Json::Value object = Json::Value::object();
    object["name"] = parameter.name;
    object["type"] = parameter.type;
    if (parameter.flags != 0)
        object["flags"] = parameter.flags;
    if (!parameter.description.empty())
        object["description"] = parameter.description;
    if (parameter.type == 12)
        object["text"] = parameter.text;
    else if (parameter.number != 0)
        object["value"] = parameter.number;
    return object;
}

const char* const detailMembers[] = {"frameThickness", "leftOversize", "rightOversize", "upperOversize",
                                     "lowerOversize"};

std::string* DetailField(LibraryPartDetails& details, size_t i)
{
    std::string* fields[] = {&details.frameThickness, &details.leftOversize, &details.rightOversize,
                             &details.upperOversize, &details.lowerOversize};
    return fields[i];
}

LibraryPartRecord ReadPart(const Json::Reader& item)
{
    auto object = item.Object({"documentName", "fileName", "uniqueId", "location", "embeddedLocation",
                               "parameters", "details"});
    LibraryPartRecord part;
    part.documentName = object.RequiredString("documentName");
    if (part.documentName.empty())
        object.Required("documentName").Fail("a library part has a document name");
    part.fileName = object.String("fileName", part.documentName);
    part.uniqueId = object.RequiredString("uniqueId");
    if (part.uniqueId.empty())
        object.Required("uniqueId").Fail("a library part has a unique identifier");
    auto location = object.Optional("location");
    auto embedded = object.Optional("embeddedLocation");
    if (location.has_value() == embedded.has_value())
        item.Fail("a library part has exactly one of \"location\" and \"embeddedLocation\"");
    part.inEmbeddedLibrary = embedded.has_value();
    part.location = embedded ? ReadEmbeddedPath(*embedded) : ReadAbsolutePath(*location);
    if (auto parameters = object.Optional("parameters")) {
        std::set<std::string> names;
        for (const auto& parameter : parameters->Array())
            part.parameters.push_back(ReadParameter(parameter, names));
    }
    if (auto details = object.Optional("details")) {
        auto detailObject = details->Object({detailMembers[0], detailMembers[1], detailMembers[2],
                                             detailMembers[3], detailMembers[4]});
        for (size_t i = 0; i < 5; ++i)
            *DetailField(part.details, i) = detailObject.String(detailMembers[i], "");
    }
    return part;
}

Json::Value WritePart(const LibraryPartRecord& part)
{
    Json::Value object = Json::Value::object();
    object["documentName"] = part.documentName;
    object["fileName"] = part.fileName;
    object["uniqueId"] = part.uniqueId;
    object[part.inEmbeddedLibrary ? "embeddedLocation" : "location"] = part.location;
    Json::Value parameters = Json::Value::array();
    for (const auto& parameter : part.parameters)
        parameters.push_back(WriteParameter(parameter));
    object["parameters"] = parameters;
    if (part.details != LibraryPartDetails{}) {
        LibraryPartDetails details = part.details;
        Json::Value detailObject = Json::Value::object();
        for (size_t i = 0; i < 5; ++i)
            if (!DetailField(details, i)->empty())
                detailObject[detailMembers[i]] = *DetailField(details, i);
        object["details"] = detailObject;
    }
    return object;
}

}  // namespace

void ReadLibraries(const Json::Reader& section, Project& project, FileReadContext& /*context*/)
{
    auto object = section.Object({"embeddedLibrary", "list", "parts"});
    Libraries libraries;
    libraries.hasEmbeddedLibrary = object.Bool("embeddedLibrary", false);
    if (auto list = object.Optional("list")) {
        std::set<std::string> locations;
        for (const auto& item : list->Array()) {
            auto entry = item.Object({"location", "name"});
            LibraryEntry library;
            auto location = entry.Required("location");
            library.location = ReadAbsolutePath(location);
            if (!locations.insert(library.location).second)
                location.Fail("the library list names this location twice");
            library.name = entry.String("name", PathUtf8(PathFromUtf8(library.location).filename()));
            libraries.list.push_back(library);
        }
    }
    if (auto parts = object.Optional("parts")) {
        std::set<std::string> ids;
        for (const auto& item : parts->Array()) {
            LibraryPartRecord part = ReadPart(item);
            if (!ids.insert(part.uniqueId).second)
                item.Fail("another library part has the unique identifier " + part.uniqueId);
            if (part.inEmbeddedLibrary && !libraries.hasEmbeddedLibrary)
                item.Fail("a part in the embedded library of a project that has none");
            libraries.parts.push_back(std::move(part));
        }
    }
    project.libraries = std::move(libraries);
}

Json::Value WriteLibraries(const Project& project)
{
    const Libraries& libraries = project.libraries;
    Json::Value section = Json::Value::object();
    section["embeddedLibrary"] = libraries.hasEmbeddedLibrary;
    Json::Value list = Json::Value::array();
    for (const auto& entry : libraries.list)
        list.push_back(Json::Value{{"location", entry.location}, {"name", entry.name}});
    section["list"] = list;
    Json::Value parts = Json::Value::array();
    for (const auto& part : libraries.parts)
        parts.push_back(WritePart(part));
    section["parts"] = parts;
    return section;
}

}  // namespace Sim::Model
