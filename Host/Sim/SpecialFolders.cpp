#include "SpecialFolders.hpp"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace Sim {

namespace fs = std::filesystem;

SpecialFolders::~SpecialFolders()
{
    if (ownsHome_) {
        std::error_code ec;
        fs::remove_all(home_, ec);
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
        std::error_code ec;
        fs::path base = fs::temp_directory_path(ec);
        if (ec)
            base = "/tmp";
        std::string pattern = (base / "corvana-host-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()) == nullptr) {
            if (error != nullptr)
                *error = "cannot create a temporary home folder in " + base.string();
            return {};
        }
        home_ = buffer.data();
        ownsHome_ = true;
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
    fs::path folder = fs::path(home) / name;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder)) {
        if (error != nullptr)
            *error = "cannot create " + folder.string() + (ec ? ": " + ec.message() : std::string());
        return {};
    }
    return folder.string();
}

}  // namespace Sim
