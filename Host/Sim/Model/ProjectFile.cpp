#include "Model/ProjectFile.hpp"

#include "Host.hpp"
#include "Model/ProjectFileSections.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
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

// A save writes ".NAME.tmp-XXXXXX" beside its target NAME (six letters or digits from mkstemp).
std::string TemporaryPrefix(const std::string& fileName) { return "." + fileName + ".tmp-"; }

bool IsTemporaryOf(const std::string& entry, const std::string& prefix)
{
    if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(entry.begin() + static_cast<long>(prefix.size()), entry.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Whether `name` still names the file open as `fd`.
bool IsStillNamed(int fd, const char* name)
{
    struct stat open {};
    struct stat named {};
    return fstat(fd, &open) == 0 && lstat(name, &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

// Removes what interrupted saves of the same target left: their temporary files that no save holds
// locked any more (a save keeps its own locked until it is renamed into place, and a lock ends with the
// process that held it). Files of other targets, of other users and what is not a regular file stay.
void RemoveAbandonedTemporaries(const std::filesystem::path& folder, const std::string& fileName)
{
    const std::string prefix = TemporaryPrefix(fileName);
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (!IsTemporaryOf(entry, prefix))
            continue;
        const std::string path = it->path().string();
        int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info {};
        if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
            flock(fd, LOCK_EX | LOCK_NB) == 0 && IsStillNamed(fd, path.c_str()))
            unlink(path.c_str());
        close(fd);
    }
}

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
    // Only a regular file is read, and only as many bytes as it has: a device or a pipe named as the
    // project would otherwise be read without end (or block the open itself, for a pipe).
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw ProjectFileError(path, "", std::string("cannot be read: ") + ErrnoText());
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        std::string reason = S_ISREG(info.st_mode) || info.st_mode == 0 ? ErrnoText() : "not a regular file";
        close(fd);
        throw ProjectFileError(path, "", "cannot be read: " + reason);
    }
    std::string text(static_cast<size_t>(info.st_size), '\0');
    size_t got = 0;
    while (got < text.size()) {
        ssize_t n = read(fd, text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            std::string reason = ErrnoText();
            close(fd);
            throw ProjectFileError(path, "", "cannot be read: " + reason);
        }
        if (n == 0)
            break;  // shortened meanwhile: what is there is read
        got += static_cast<size_t>(n);
    }
    close(fd);
    text.resize(got);
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
    namespace fs = std::filesystem;
    std::string text;
    try {
        text = ToText(project);
    } catch (const std::exception& e) {
        throw ProjectFileError(path, "", std::string("cannot be written: ") + e.what());
    }

    fs::path target(path);
    fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string fileName = target.filename().string();
    RemoveAbandonedTemporaries(folder, fileName);

    std::string pattern = (folder / TemporaryPrefix(fileName)).string() + "XXXXXX";
    std::vector<char> temporary;
    int fd = -1;
    // The temporary file is locked while it is written; a save that finds it gone once it holds the lock
    // (another save took it for abandoned in between) starts again with a new one.
    for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
        temporary.assign(pattern.begin(), pattern.end());
        temporary.push_back('\0');
        fd = mkstemp(temporary.data());
        if (fd < 0)
            throw ProjectFileError(path, "", "cannot create a temporary file in " + folder.string() + ": " + ErrnoText());
        if (flock(fd, LOCK_EX) != 0 || !IsStillNamed(fd, temporary.data())) {
            close(fd);
            fd = -1;
        }
    }
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
    // Renamed while still locked, so that no other save takes it for abandoned before it is in place.
    if (rename(temporary.data(), path.c_str()) != 0)
        fail("cannot replace the file");
    // The text is on disk (fsync) and in place; closing only gives the lock back.
    close(fd);
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
