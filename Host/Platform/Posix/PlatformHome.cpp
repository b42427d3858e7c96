#include "PlatformHome.hpp"

#include "Host.hpp"

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>

#include <unistd.h>

namespace Platform {
namespace Detail {
namespace {

// The folder goes with the process when it ends normally.
struct TemporaryHome {
    ~TemporaryHome()
    {
        if (!path.empty()) {
            std::error_code error;
            std::filesystem::remove_all(path, error);
        }
    }
    std::string path;
};

std::string ProcessTemporaryHome()
{
    static std::once_flag once;
    static TemporaryHome home;
    std::call_once(once, [] {
        const char* temp = std::getenv("TMPDIR");
        std::string pattern = std::string(temp != nullptr && *temp != '\0' ? temp : "/tmp") + "/corvana-home-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr)
            home.path = pattern;
    });
    return home.path;
}

}  // namespace

std::string HomeFolder()
{
    // The running host's folders win: the operating system's special folders are the host's here.
    if (Sim::HasHost()) {
        const std::string home = Sim::TheHost().GetSpecialFolders().Home();
        if (!home.empty())
            return home;
    }
    const char* home = std::getenv("CORVANA_HOME");
    if (home != nullptr && *home != '\0')
        return home;
    return ProcessTemporaryHome();
}

}  // namespace Detail
}  // namespace Platform
