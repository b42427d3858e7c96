#include "HostFolders.hpp"

#include "ACAPinc.h"
#include "Support/NativePath.hpp"

#include <filesystem>
#include <system_error>

namespace QRV {

// The host's own folder, as the library import and the IFC export take it: the platform's documents
// folder is another folder on Windows.
bool UserDocumentsFolder(GS::UniString* path)
{
    if (path == nullptr)
        return false;
    API_SpecFolderID id = API_UserDocumentsFolderID;
    IO::Location location;
    GS::UniString folder;
    if (ACAPI_ProjectSettings_GetSpecFolder(&id, &location) != NoError || location.ToPath(&folder) != NoError)
        return false;
    std::error_code error;
    std::filesystem::create_directories(ToNativePath(folder), error);
    if (!std::filesystem::is_directory(ToNativePath(folder), error))
        return false;
    *path = folder;
    return true;
}

}  // namespace QRV
