// The families' parts of the project file. Each family reads and writes its own top-level member; the
// section list in ProjectFile.cpp says which member belongs to whom and in which order they are read
// (a family that refers to another is read after it).
#pragma once

#include "Model/JsonReader.hpp"
#include "Model/Project.hpp"

#include <map>
#include <set>
#include <string>
#include <utility>

namespace Sim::Model {

// What the readers of all sections share while one file is read: the GUIDs claimed so far, and indexes of
// what earlier sections added, so that checking a name or a reference costs the same however large the
// project is (the project's own look-ups walk their lists).
class FileReadContext {
public:
    explicit FileReadContext(const Project& project);

    // The project as far as it has been read: sections read earlier can be referred to.
    const Model::Project& ProjectSoFar() const { return *project_; }

    // Reads a GUID member and claims it for the project: the null GUID and a GUID used twice are refused.
    API_Guid ClaimGuid(const Json::Reader& member);

    // Classification systems and items, as the classification section adds them.
    bool HasSystem(const API_Guid& system) const { return systems_.count(system) != 0; }
    bool HasSystemNamed(const std::string& name, const std::string& editionVersion) const;
    void AddedSystem(const API_Guid& system, const std::string& name, const std::string& editionVersion);
    // The system of an item; null when no item has that GUID.
    const API_Guid* SystemOfItem(const API_Guid& item) const;
    bool HasItemId(const API_Guid& system, const std::string& id) const;
    void AddedItem(const API_Guid& item, const API_Guid& system, const std::string& id);

    // Custom property groups and definitions, as the properties section adds them (the host's built-in
    // group's name counts as taken).
    const std::string* CustomGroupName(const API_Guid& group) const;
    bool HasGroupNamed(const std::string& name) const { return groupNames_.count(name) != 0; }
    void AddedGroup(const API_Guid& group, const std::string& name);
    bool HasCustomDefinition(const API_Guid& definition) const { return definitions_.count(definition) != 0; }
    bool HasDefinitionNamed(const API_Guid& group, const std::string& name) const;
    void AddedDefinition(const API_Guid& definition, const API_Guid& group, const std::string& name);

private:
    const Model::Project* project_;
    std::map<API_Guid, Json::Place> guids_;  // where each was first seen
    std::set<API_Guid> systems_;
    std::set<std::pair<std::string, std::string>> systemNames_;
    std::map<API_Guid, API_Guid> itemSystems_;
    std::set<std::pair<API_Guid, std::string>> itemIds_;
    std::map<API_Guid, std::string> groups_;
    std::set<std::string> groupNames_;
    std::set<API_Guid> definitions_;
    std::set<std::pair<API_Guid, std::string>> definitionNames_;
};

void ReadProjectInfo(const Json::Reader& section, Project& project, FileReadContext& context);
Json::Value WriteProjectInfo(const Project& project);

// A GUID that refers to something (not claimed): well formed and not null.
API_Guid ReadGuidReference(const Json::Reader& member);

// The bytes of user data and module data entries: "dataVersion", "platformSign" and "text" or "base64".
AttributeUserData ReadUserData(const Json::Reader& member);
Json::Value WriteUserData(const AttributeUserData& data);

// Classification items and property values of an attribute or element (the member "attached"); refers to
// the classification and property sections, which are read before the attributes and elements.
AttachedData ReadAttachedData(const Json::Reader& member, const FileReadContext& context);
Json::Value WriteAttachedData(const AttachedData& attached);

void ReadClassification(const Json::Reader& section, Project& project, FileReadContext& context);
Json::Value WriteClassification(const Project& project);

void ReadProperties(const Json::Reader& section, Project& project, FileReadContext& context);
Json::Value WriteProperties(const Project& project);

void ReadModuleData(const Json::Reader& section, Project& project, FileReadContext& context);
Json::Value WriteModuleData(const Project& project);

void ReadAttributes(const Json::Reader& section, Project& project, FileReadContext& context);
Json::Value WriteAttributes(const Project& project);

void ReadElements(const Json::Reader& section, Project& project, FileReadContext& context);
Json::Value WriteElements(const Project& project);
void ReadLibraries(const Json::Reader& section, Project& project, FileReadContext& context);
Json::Value WriteLibraries(const Project& project);

}  // namespace Sim::Model
