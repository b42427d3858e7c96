#include "Model/ProjectFile.hpp"

#include "Host.hpp"
#include "Model/ProjectFileSections.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
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

std::string ErrnoText() { return std::strerror(errno); }

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
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ProjectFileError(path, "", std::string("cannot be read: ") + ErrnoText());
    std::stringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        throw ProjectFileError(path, "", std::string("cannot be read: ") + ErrnoText());
    try {
        return FromText(buffer.str());
    } catch (const Json::Error& e) {
        throw ProjectFileError(path, e.Place(), e.Problem());
    } catch (const std::exception& e) {
        // Nothing else is expected from reading; whatever it is, the file is still refused by name.
        throw ProjectFileError(path, "", e.what());
    }
}

void ProjectFile::Save(const Project& project, const std::string& path)
{
    namespace fs = std::filesystem;
    std::string text;
    try {
        text = ToText(project);
    } catch (const std::exception& e) {
        throw ProjectFileError(path, "", std::string("cannot be written: ") + e.what());
    }

    fs::path target(path);
    fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::string pattern = (folder / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');
    int fd = mkstemp(temporary.data());
    if (fd < 0)
        throw ProjectFileError(path, "", "cannot create a temporary file in " + folder.string() + ": " + ErrnoText());

    auto fail = [&](const std::string& what) {
        std::string reason = ErrnoText();
        if (fd >= 0)
            close(fd);
        unlink(temporary.data());
        throw ProjectFileError(path, "", what + ": " + reason);
    };

    // The saved file gets the permissions an existing file had, or those of a new file.
    struct stat existing {};
    mode_t mode;
    if (stat(path.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    if (fchmod(fd, mode) != 0)
        fail("cannot set the permissions of the temporary file");
    size_t written = 0;
    while (written < text.size()) {
        ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("cannot be written");
        }
        written += static_cast<size_t>(n);
    }
    if (fsync(fd) != 0)
        fail("cannot be written");
    int closed = close(fd);
    fd = -1;
    if (closed != 0)
        fail("cannot be written");
    if (rename(temporary.data(), path.c_str()) != 0)
        fail("cannot replace the file");
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

API_Guid FileReadContext::ClaimGuid(const Json::Reader& member)
{
    std::string text = member.String();
    GS::Guid guid(text.c_str());
    if (text.size() != 36 || guid.IsNull())
        member.Fail("\"" + text + "\" is not a GUID (36 characters: 8-4-4-4-12 hexadecimal digits, not all zero)");
    auto [it, inserted] = guids_.emplace(GSGuid2APIGuid(guid), member.Pointer());
    if (!inserted)
        member.Fail("GUID " + text + " is already used at " + it->second);
    return GSGuid2APIGuid(guid);
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
