// The families' parts of the project file. Each family reads and writes its own top-level member; the
// section list in ProjectFile.cpp says which member belongs to whom and in which order they are read
// (a family that refers to another is read after it).
#pragma once

#include "Model/JsonReader.hpp"
#include "Model/Project.hpp"

#include <map>
#include <string>

namespace Sim::Model {

// What the readers of all sections share while one file is read.
class FileReadContext {
public:
    explicit FileReadContext(const Project& project) : project_(&project) {}

    // The project as far as it has been read: sections read earlier can be referred to.
    const Model::Project& ProjectSoFar() const { return *project_; }

    // Reads a GUID member and claims it for the project: the null GUID and a GUID used twice are refused.
    API_Guid ClaimGuid(const Json::Reader& member);

private:
    const Model::Project* project_;
    std::map<API_Guid, std::string> guids_;  // where each was first seen
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
AttachedData ReadAttachedData(const Json::Reader& member, const Project& project);
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
