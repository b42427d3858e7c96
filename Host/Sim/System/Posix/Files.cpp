#include "System/Files.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace Sim::System {
namespace {

std::string ErrnoText() { return std::strerror(errno); }

// Whether `name` still names the file open as `fd`.
bool IsStillNamed(int fd, const char* name)
{
    struct stat open {};
    struct stat named {};
    return fstat(fd, &open) == 0 && lstat(name, &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

// A save keeps its own temporary file locked until it is renamed into place, and a lock ends with the
// process that held it: an unlocked one was abandoned. Files of other users and what is not a regular
// file stay.
void RemoveAbandonedTemporaries(const std::filesystem::path& folder, const std::string& fileName)
{
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!IsSaveTemporaryOf(it->path().filename().string(), fileName))
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

bool Fail(SaveFailure* failure, SaveStep step, const std::string& reason)
{
    if (failure != nullptr)
        *failure = SaveFailure{step, reason};
    return false;
}

}  // namespace

bool ReadRegularFile(const std::string& path, std::string* text, std::string* reason)
{
    // Opened without blocking and checked before reading: a pipe named as the file would otherwise block
    // the open itself, and a device would be read without end.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *reason = ErrnoText();
        return false;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        *reason = S_ISREG(info.st_mode) || info.st_mode == 0 ? ErrnoText() : "not a regular file";
        close(fd);
        return false;
    }
    std::string content(static_cast<size_t>(info.st_size), '\0');
    size_t got = 0;
    while (got < content.size()) {
        ssize_t n = read(fd, content.data() + got, content.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *reason = ErrnoText();
            close(fd);
            return false;
        }
        if (n == 0)
            break;  // shortened meanwhile: what is there is read
        got += static_cast<size_t>(n);
    }
    close(fd);
    content.resize(got);
    *text = std::move(content);
    return true;
}

bool SaveFileWhole(const std::string& path, const std::string& text, SaveFailure* failure)
{
    namespace fs = std::filesystem;
    const fs::path target(path);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string fileName = target.filename().string();
    RemoveAbandonedTemporaries(folder, fileName);

    const std::string pattern = (folder / ("." + fileName + ".tmp-")).string() + "XXXXXX";
    std::vector<char> temporary;
    int fd = -1;
    // The temporary file is locked while it is written; a save that finds it gone once it holds the lock
    // (another save took it for abandoned in between) starts again with a new one.
    for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
        temporary.assign(pattern.begin(), pattern.end());
        temporary.push_back('\0');
        fd = mkstemp(temporary.data());
        if (fd < 0)
            return Fail(failure, SaveStep::CreateTemporary, ErrnoText());
        if (flock(fd, LOCK_EX) != 0 || !IsStillNamed(fd, temporary.data())) {
            close(fd);
            fd = -1;
        }
    }
    if (fd < 0)
        return Fail(failure, SaveStep::CreateTemporary, ErrnoText());

    auto fail = [&](SaveStep step) {
        const std::string reason = ErrnoText();
        close(fd);
        unlink(temporary.data());
        return Fail(failure, step, reason);
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
        return fail(SaveStep::Permissions);
    size_t written = 0;
    while (written < text.size()) {
        ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(SaveStep::Write);
        }
        written += static_cast<size_t>(n);
    }
    if (fsync(fd) != 0)
        return fail(SaveStep::Write);
    // Renamed while still locked, so that no other save takes it for abandoned before it is in place.
    if (rename(temporary.data(), path.c_str()) != 0)
        return fail(SaveStep::Rename);
    // The text is on disk (fsync) and in place; closing only gives the lock back.
    close(fd);
    return true;
}

bool MoveReplacing(const std::string& from, const std::string& to, std::string* reason)
{
    if (rename(from.c_str(), to.c_str()) == 0)
        return true;
    if (reason != nullptr)
        *reason = ErrnoText();
    return false;
}

std::string MakeUniqueFolder(const std::string& parent, const std::string& prefix, std::string* reason)
{
    std::string pattern = (std::filesystem::path(parent) / prefix).string() + "XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        if (reason != nullptr)
            *reason = ErrnoText();
        return {};
    }
    return pattern;
}

std::string TemporaryFilesFolder()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    return error ? std::string("/tmp") : folder.string();
}

}  // namespace Sim::System
