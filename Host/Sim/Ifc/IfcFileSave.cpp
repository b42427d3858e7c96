#include "Ifc/IfcFileSave.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace Sim::Ifc {
namespace {

bool Fail(std::string* error, const std::string& what)
{
    if (error != nullptr)
        *error = what;
    return false;
}

bool WriteAll(int fd, const std::string& text)
{
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool SaveIfcFile(const Model::Project& project, const IfcExportSettings& settings, const std::string& path,
                 std::string* error)
{
    namespace fs = std::filesystem;
    const fs::path target(path);
    if (target.filename().empty())
        return Fail(error, "\"" + path + "\" names no file");
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::error_code ec;
    if (fs::is_directory(target, ec))
        return Fail(error, path + " is a folder");

    std::string text;
    try {
        text = ExportIfcText(project, settings);
    } catch (const std::exception& e) {
        return Fail(error, std::string("cannot make the IFC text: ") + e.what());
    }

    std::string pattern = (folder / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return Fail(error, "cannot write in " + folder.string() + ": " + std::strerror(errno));
    const mode_t mask = umask(0);
    umask(mask);
    const bool written = fchmod(fd, 0666 & ~mask) == 0 && WriteAll(fd, text) && fsync(fd) == 0;
    const std::string reason = std::strerror(errno);
    if (close(fd) != 0 || !written) {
        unlink(temporary.data());
        return Fail(error, "cannot write " + path + ": " + reason);
    }
    if (rename(temporary.data(), path.c_str()) != 0) {
        const std::string renameReason = std::strerror(errno);
        unlink(temporary.data());
        return Fail(error, "cannot replace " + path + ": " + renameReason);
    }
    return true;
}

}  // namespace Sim::Ifc
