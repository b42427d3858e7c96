#include "SpecialFolders.hpp"

#include "SimUtf8.hpp"
#include "System/Files.hpp"
#include "System/Process.hpp"

#include <filesystem>

namespace Sim {

namespace fs = std::filesystem;

SpecialFolders::~SpecialFolders()
{
    if (ownsHome_) {
        System::RemoveFolderOnStopSignal({});
        std::error_code ec;
        fs::remove_all(PathFromUtf8(home_), ec);
    }
}

const char* SpecialFolders::SubfolderName(Int32 id)
{
    switch (id) {
        case Documents: return "Documents";
        case Temporary: return "Temp";
        case Programs: return "Programs";
        default: return nullptr;
    }
}

std::string SpecialFolders::Home(std::string* error)
{
    if (home_.empty()) {
        const std::string base = System::TemporaryFilesFolder();
        std::string reason;
        home_ = System::MakeUniqueFolder(base, "corvana-host-", &reason);
        if (home_.empty()) {
            if (error != nullptr)
                *error = "cannot create a temporary home folder in " + base;
            return {};
        }
        ownsHome_ = true;
        // Killed by Ctrl+C or a stop request, the process still leaves no home behind.
        System::RemoveFolderOnStopSignal(home_);
    }
    return home_;
}

std::string SpecialFolders::Path(Int32 id, std::string* error)
{
    const char* name = SubfolderName(id);
    if (name == nullptr) {
        if (error != nullptr)
            *error = "no special folder has the number " + std::to_string(id);
        return {};
    }
    std::string home = Home(error);
    if (home.empty())
        return {};
    fs::path folder = PathFromUtf8(home) / name;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder)) {
        if (error != nullptr)
            *error = "cannot create " + PathUtf8(folder) + (ec ? ": " + ec.message() : std::string());
        return {};
    }
    return PathUtf8(folder);
}

}  // namespace Sim
