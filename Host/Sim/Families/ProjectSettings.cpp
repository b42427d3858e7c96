// Project settings: the host's special folders.
#include "ACAPinc.h"
#include "Host.hpp"
#include "SimUtf8.hpp"

namespace Sim {
namespace {

GSErrCode GetSpecFolder(API_SpecFolderID* specFolderID, IO::Location* location)
{
    if (specFolderID == nullptr || location == nullptr)
        return APIERR_BADPARS;
    if (SpecialFolders::SubfolderName(*specFolderID) == nullptr)
        return APIERR_BADPARS;
    std::string problem;
    std::string path = TheHost().GetSpecialFolders().Path(*specFolderID, &problem);
    if (path.empty()) {
        TheHost().DebugOutput("ACAPI_ProjectSettings_GetSpecFolder: " + problem + "\n");
        return APIERR_GENERAL;
    }
    *location = IO::Location(Sim::Uni(path));
    return NoError;
}

}  // namespace
}  // namespace Sim

SIM_FAMILY(ProjectSettings)
{
    SIM_BIND(table, ProjectSettings_GetSpecFolder, &Sim::GetSpecFolder);
}
