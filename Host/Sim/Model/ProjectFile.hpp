// The project file: the whole project as one JSON document ("format": "corvana-sim-project",
// "version": 1; see docs/project-file.md). Loading validates everything and builds a new project, so a
// refused file changes nothing; saving writes a temporary file beside the target and renames it over.
#pragma once

#include "Model/Project.hpp"
#include "Model/JsonReader.hpp"

#include <stdexcept>
#include <string>

namespace Sim {

class Host;

// "FILE: PLACE: PROBLEM", PLACE being a JSON pointer or "line L, column C".
class ProjectFileError : public std::runtime_error {
public:
    ProjectFileError(const std::string& file, const std::string& place, const std::string& problem);
    const std::string& File() const { return file_; }
    const std::string& Place() const { return place_; }
    const std::string& Problem() const { return problem_; }

private:
    std::string file_;
    std::string place_;
    std::string problem_;
};

class ProjectFile {
public:
    static constexpr const char* Format = "corvana-sim-project";
    static constexpr int Version = 1;

    static Json::Value ToJson(const Project& project);
    // The document as saved: two-space indentation and a final newline.
    static std::string ToText(const Project& project);
    // Throws Json::Error naming the place and the problem.
    static Project FromJson(const Json::Value& document);
    static Project FromText(const std::string& text);

    // Both throw ProjectFileError.
    static Project Load(const std::string& path);
    static void Save(const Project& project, const std::string& path);
};

// Opens a project file into the host: the host's project is replaced only when the whole file was taken.
// On failure returns false with the message in `error` and leaves the open project as it was.
bool OpenProjectFile(Host& host, const std::string& path, std::string* error);
// Saves the host's project; on failure returns false with the message in `error`.
bool SaveProjectFile(Host& host, const std::string& path, std::string* error);

}  // namespace Sim
