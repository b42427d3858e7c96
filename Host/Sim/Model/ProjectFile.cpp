#include "Model/ProjectFile.hpp"

#include "Host.hpp"
#include "Model/ProjectFileSections.hpp"

#include "SimUtf8.hpp"
#include "System/Files.hpp"

#include <filesystem>
#include <vector>

namespace Sim {
namespace {

struct Section {
    const char* member;
    void (*read)(const Json::Reader& section, Project& project, Model::FileReadContext& context);
    Json::Value (*write)(const Project& project);
};

// In reading order; also the order of the members in a saved file.
const Section sections[] = {
    {"projectInfo", &Model::ReadProjectInfo, &Model::WriteProjectInfo},
    {"classificationSystems", &Model::ReadClassification, &Model::WriteClassification},
    {"properties", &Model::ReadProperties, &Model::WriteProperties},
    {"attributes", &Model::ReadAttributes, &Model::WriteAttributes},
    {"elements", &Model::ReadElements, &Model::WriteElements},
    {"libraries", &Model::ReadLibraries, &Model::WriteLibraries},
    {"moduleData", &Model::ReadModuleData, &Model::WriteModuleData},
};

}  // namespace

ProjectFileError::ProjectFileError(const std::string& file, const std::string& place, const std::string& problem)
    : std::runtime_error(file + (place.empty() ? "" : ": " + place) + ": " + problem),
      file_(file),
      place_(place),
      problem_(problem)
{
}

Json::Value ProjectFile::ToJson(const Project& project)
{
    Json::Value document = Json::Value::object();
    document["format"] = Format;
    document["version"] = Version;
    for (const auto& section : sections)
        document[section.member] = section.write(project);
    return document;
}

std::string ProjectFile::ToText(const Project& project) { return ToJson(project).dump(2) + "\n"; }

Project ProjectFile::FromJson(const Json::Value& document)
{
    Json::Reader root(document, "");
    if (!document.is_object())
        root.Fail("a project file is a JSON object");
    // The format and version are checked before anything else, so that a file of another kind or a newer
    // version is named as such rather than by its first unknown member.
    if (!document.contains("format"))
        root.Fail(std::string("member \"format\" is missing (a project file starts with \"format\": \"") + Format +
                  "\")");
    Json::Reader format(document["format"], "/format");
    if (format.String() != Format)
        format.Fail(std::string("not a simulator project file (\"format\" must be \"") + Format + "\")");
    if (!document.contains("version"))
        root.Fail("member \"version\" is missing");
    Json::Reader version(document["version"], "/version");
    if (version.Integer(0, INT32_MAX) != Version)
        version.Fail("version " + version.Raw().dump() + " is not read by this host (it reads " +
                     std::to_string(Version) + ")");
    std::vector<std::string> members = {"format", "version"};
    for (const auto& section : sections)
        members.push_back(section.member);
    auto top = root.Object(members);

    Project project;
    Model::FileReadContext context(project);
    for (const auto& section : sections)
        if (auto member = top.Optional(section.member))
            section.read(*member, project, context);
    return project;
}

Project ProjectFile::FromText(const std::string& text) { return FromJson(Json::ParseStrict(text)); }

Project ProjectFile::Load(const std::string& path)
{
    // Only a regular file is read, and only as many bytes as it has.
    std::string text;
    std::string reason;
    if (!System::ReadRegularFile(path, &text, &reason))
        throw ProjectFileError(path, "", "cannot be read: " + reason);
    try {
        return FromText(text);
    } catch (const Json::Error& e) {
        throw ProjectFileError(path, e.Place(), e.Problem());
    } catch (const std::exception& e) {
        // Nothing else is expected from reading; whatever it is, the file is still refused by name.
        throw ProjectFileError(path, "", e.what());
    }
}

void ProjectFile::Save(const Project& project, const std::string& path)
{
    std::string text;
    try {
        text = ToText(project);
    } catch (const std::exception& e) {
        throw ProjectFileError(path, "", std::string("cannot be written: ") + e.what());
    }
    System::SaveFailure failure;
    if (System::SaveFileWhole(path, text, &failure))
        return;
    switch (failure.step) {
        case System::SaveStep::CreateTemporary: {
            const std::filesystem::path folder = PathFromUtf8(path).parent_path();
            throw ProjectFileError(path, "", "cannot create a temporary file in " +
                                                 (folder.empty() ? std::string(".") : PathUtf8(folder)) + ": " +
                                                 failure.reason);
        }
        case System::SaveStep::Permissions:
            throw ProjectFileError(path, "", "cannot set the permissions of the temporary file: " + failure.reason);
        case System::SaveStep::Write:
            throw ProjectFileError(path, "", "cannot be written: " + failure.reason);
        case System::SaveStep::Rename:
            throw ProjectFileError(path, "", "cannot replace the file: " + failure.reason);
    }
}

bool OpenProjectFile(Host& host, const std::string& path, std::string* error)
{
    try {
        Project loaded = ProjectFile::Load(path);
        host.GetProject() = std::move(loaded);
        return true;
    } catch (const std::exception& e) {
        if (error != nullptr)
            *error = e.what();
        return false;
    }
}

bool SaveProjectFile(Host& host, const std::string& path, std::string* error)
{
    try {
        ProjectFile::Save(host.GetProject(), path);
        return true;
    } catch (const std::exception& e) {
        if (error != nullptr)
            *error = e.what();
        return false;
    }
}

namespace Model {

FileReadContext::FileReadContext(const Project& project) : project_(&project)
{
    groupNames_.insert(BuiltIn::Group().name);
}

API_Guid FileReadContext::ClaimGuid(const Json::Reader& member)
{
    std::string text = member.String();
    GS::Guid guid(text.c_str());
    if (text.size() != 36 || guid.IsNull())
        member.Fail("\"" + text + "\" is not a GUID (36 characters: 8-4-4-4-12 hexadecimal digits, not all zero)");
    auto [it, inserted] = guids_.emplace(GSGuid2APIGuid(guid), member.Where());
    if (!inserted)
        member.Fail("GUID " + text + " is already used at " + it->second.Pointer());
    return GSGuid2APIGuid(guid);
}

bool FileReadContext::HasSystemNamed(const std::string& name, const std::string& editionVersion) const
{
    return systemNames_.count({name, editionVersion}) != 0;
}

void FileReadContext::AddedSystem(const API_Guid& system, const std::string& name, const std::string& editionVersion)
{
    systems_.insert(system);
    systemNames_.insert({name, editionVersion});
}

const API_Guid* FileReadContext::SystemOfItem(const API_Guid& item) const
{
    auto found = itemSystems_.find(item);
    return found == itemSystems_.end() ? nullptr : &found->second;
}

bool FileReadContext::HasItemId(const API_Guid& system, const std::string& id) const
{
    return itemIds_.count({system, id}) != 0;
}

void FileReadContext::AddedItem(const API_Guid& item, const API_Guid& system, const std::string& id)
{
    itemSystems_.emplace(item, system);
    itemIds_.insert({system, id});
}

const std::string* FileReadContext::CustomGroupName(const API_Guid& group) const
{
    auto found = groups_.find(group);
    return found == groups_.end() ? nullptr : &found->second;
}

void FileReadContext::AddedGroup(const API_Guid& group, const std::string& name)
{
    groups_.emplace(group, name);
    groupNames_.insert(name);
}

bool FileReadContext::HasDefinitionNamed(const API_Guid& group, const std::string& name) const
{
    return definitionNames_.count({group, name}) != 0;
}

void FileReadContext::AddedDefinition(const API_Guid& definition, const API_Guid& group, const std::string& name)
{
    definitions_.insert(definition);
    definitionNames_.insert({group, name});
}

void ReadProjectInfo(const Json::Reader& section, Project& project, FileReadContext& /*context*/)
{
    auto info = section.Object({"name", "ifcTranslators"});
    project.info.name = info.String("name", "");
    if (auto translators = info.Optional("ifcTranslators")) {
        project.info.ifcTranslators.clear();
        for (const auto& entry : translators->Array()) {
            std::string name = entry.String();
            if (name.empty())
                entry.Fail("a translator has a name");
            project.info.ifcTranslators.push_back(std::move(name));
        }
    }
}

Json::Value WriteProjectInfo(const Project& project)
{
    Json::Value info = Json::Value::object();
    info["name"] = project.info.name;
    // Files of projects with the host's own setup stay as they were before translators were saved.
    if (project.info.ifcTranslators != ProjectInfo::DefaultIfcTranslators())
        info["ifcTranslators"] = project.info.ifcTranslators;
    return info;
}

}  // namespace Model
}  // namespace Sim
