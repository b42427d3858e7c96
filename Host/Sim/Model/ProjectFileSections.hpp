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
    // Reads a GUID member and claims it for the project: the null GUID and a GUID used twice are refused.
    API_Guid ClaimGuid(const Json::Reader& member);

private:
    std::map<API_Guid, std::string> guids_;  // where each was first seen
};

void ReadProjectInfo(const Json::Reader& section, Project& project, FileReadContext& context);
Json::Value WriteProjectInfo(const Project& project);

// User data as attributes and elements carry it: {"dataVersion", "platformSign", "text" | "base64"}.
AttributeUserData ReadUserData(const Json::Reader& member);
Json::Value WriteUserData(const AttributeUserData& data);

void ReadAttributes(const Json::Reader& section, Project& project, FileReadContext& context);
Json::Value WriteAttributes(const Project& project);

void ReadElements(const Json::Reader& section, Project& project, FileReadContext& context);
Json::Value WriteElements(const Project& project);
void ReadLibraries(const Json::Reader& section, Project& project, FileReadContext& context);
Json::Value WriteLibraries(const Project& project);

}  // namespace Sim::Model
