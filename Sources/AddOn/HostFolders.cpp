#include "HostFolders.hpp"

#include "Platform/Shell.hpp"

namespace QRV {

bool UserDocumentsFolder(GS::UniString* path)
{
    return Platform::GetSpecialFolderPath(Platform::FolderDocuments, path, true);
}

}  // namespace QRV
