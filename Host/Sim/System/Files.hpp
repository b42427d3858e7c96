// The simulated host's files as the system keeps them: whole reads of regular files, saves that never
// leave half a file under the target's name, temporary folders. Paths are UTF-8 texts on every system
// (Sim::PathFromUtf8 makes a path of one); failure reasons are the C library's texts, so that a run gives
// the same messages on Linux and on Windows.
#pragma once

#include <string>

namespace Sim::System {

// The whole content of the regular file at `path`, as many bytes as it has: a device, a pipe or a folder
// is refused unread. False with the reason otherwise.
bool ReadRegularFile(const std::string& path, std::string* text, std::string* reason);

// Where a replacing save stopped.
enum class SaveStep { CreateTemporary, Permissions, Write, Rename };

struct SaveFailure {
    SaveStep step = SaveStep::CreateTemporary;
    std::string reason;
};

// Writes `text` to `path` as one step: into ".NAME.tmp-XXXXXX" beside it (six letters or digits), held
// locked against other saves while it is written, flushed to the disk and renamed over the target. An
// existing target keeps its permissions. On failure nothing of the save is left and `failure` says
// where it stopped. Temporary files of the same target that interrupted saves left (no save holds them
// any more) are removed first.
bool SaveFileWhole(const std::string& path, const std::string& text, SaveFailure* failure);

// Moves the file `from` to `to` in one step of the file system, replacing a file there (the C++ library of
// mingw-w64 refuses to replace one). False with the reason.
bool MoveReplacing(const std::string& from, const std::string& to, std::string* reason);

// Whether `entry` (a file name) is a temporary file of SaveFileWhole's for the target named `fileName`.
bool IsSaveTemporaryOf(const std::string& entry, const std::string& fileName);

// A new folder "PREFIX" followed by six letters or digits in `parent`, made for this process only.
// Empty, with the reason, when it cannot be made.
std::string MakeUniqueFolder(const std::string& parent, const std::string& prefix, std::string* reason);

// The folder for temporary files of this user.
std::string TemporaryFilesFolder();

}  // namespace Sim::System
