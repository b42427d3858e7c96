#include "PlatformHome.hpp"

#include "Platform/Shell.hpp"
#include "PlatformText.hpp"

#include <filesystem>
#include <system_error>

namespace Platform {
namespace {

const char* SubfolderName(Int32 folder)
{
    switch (folder) {
        case FolderDocuments: return "Documents";
        case 7: return "Temp";
        case FolderProgramFiles: return "Programs";
        default: return nullptr;
    }
}

}  // namespace

bool GetSpecialFolderPath(Int32 folder, GS::UniString* path, bool create)
{
    try {
        const char* name = SubfolderName(folder);
        const std::string home = Detail::HomeFolder();
        if (path == nullptr || name == nullptr || home.empty())
            return false;
        const std::filesystem::path location = std::filesystem::path(home) / name;
        std::error_code error;
        if (!std::filesystem::is_directory(location, error)) {
            if (!create || !std::filesystem::create_directories(location, error) || error)
                return false;
        }
        *path = GS::UniString(location.string(), CC_UTF8);
        return true;
    } catch (...) {
        return false;
    }
}

UInt32 GetFileAttributes(const GS::UniString& path)
{
    try {
        std::error_code error;
        const auto status = std::filesystem::status(Platform::Utf8(path), error);
        if (error || !std::filesystem::exists(status))
            return InvalidFileAttributes;
        if (std::filesystem::is_directory(status))
            return FileAttributeDirectory;
        const auto writable = std::filesystem::perms::owner_write;
        if ((status.permissions() & writable) == std::filesystem::perms::none)
            return FileAttributeReadOnly;
        return FileAttributeNormal;
    } catch (...) {
        return InvalidFileAttributes;
    }
}

}  // namespace Platform
