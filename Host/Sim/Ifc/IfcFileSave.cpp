#include "Ifc/IfcFileSave.hpp"

#include "SimUtf8.hpp"
#include "System/Files.hpp"

#include <filesystem>

namespace Sim::Ifc {
namespace {

bool Fail(std::string* error, const std::string& what)
{
    if (error != nullptr)
        *error = what;
    return false;
}

}  // namespace

bool SaveIfcFile(const Model::Project& project, const IfcExportSettings& settings, const std::string& path,
                 std::string* error)
{
    namespace fs = std::filesystem;
    const fs::path target = PathFromUtf8(path);
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

    System::SaveFailure failure;
    if (System::SaveFileWhole(path, text, &failure))
        return true;
    switch (failure.step) {
        case System::SaveStep::CreateTemporary:
            return Fail(error, "cannot write in " + PathUtf8(folder) + ": " + failure.reason);
        case System::SaveStep::Rename:
            return Fail(error, "cannot replace " + path + ": " + failure.reason);
        default:
            return Fail(error, "cannot write " + path + ": " + failure.reason);
    }
}

}  // namespace Sim::Ifc
