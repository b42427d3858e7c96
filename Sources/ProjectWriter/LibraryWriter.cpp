// Library parts and containers: download, placement in a library folder, registration, the part's stored
// properties and its own parameters.
#include "ACAPinc.h"
#include "ACLink.hpp"
#include "Support/HostErrorReport.hpp"
#include "Support/LogStream.hpp"
#include "PlacedObjectStamping.hpp"
#include "LibraryFiles.hpp"
#include "LibraryParameters.hpp"
#include "Parsing/Items/CorvanaLibraryPart.hpp"
#include "Parsing/Items/Library.hpp"
#include "StoredTexts.hpp"
#include "Support/NativePath.hpp"
#include "Support/Utf8.hpp"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace QRV {
namespace {

constexpr const char* CorvanaFolderName = "Corvana";

std::string NormalPath(const GS::UniString& path)
{
    std::string text = ToUtf8(FromNativePath(ToNativePath(path).lexically_normal()));
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

// Whether a file can be made in the folder: the folder's permission bits do not tell what this process may
// do there (its user, the file system, a share's rights), so a probe file is made and removed again.
bool IsWritableFolder(const GS::UniString& path)
{
    namespace fs = std::filesystem;
    const fs::path folder = ToNativePath(path);
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return false;
    fs::path probe;
    for (int attempt = 0; attempt < 100; ++attempt) {
        probe = folder / (".corvana-write-probe-" + std::to_string(attempt));
        if (!fs::exists(probe, ec))
            break;
        probe.clear();
    }
    if (probe.empty())
        return false;
    bool written = false;
    {
        std::ofstream file(probe, std::ios::binary);
        written = static_cast<bool>(file);
    }
    fs::remove(probe, ec);
    return written;
}

GSErrCode UserDocumentsCorvanaFolder(GS::UniString* folder)
{
    API_SpecFolderID id = API_UserDocumentsFolderID;
    IO::Location documents;
    GS::UniString path;
    GSErrCode err = ACAPI_ProjectSettings_GetSpecFolder(&id, &documents);
    if (err == NoError)
        err = documents.ToPath(&path);
    if (err != NoError)
        return err;
    *folder = JoinPath(path, CorvanaFolderName);
    std::error_code ec;
    std::filesystem::create_directory(ToNativePath(*folder), ec);
    return IsWritableFolder(*folder) ? NoError : APIERR_GENERAL;
}

// A zero-filled record naming the file; `location` stays the caller's.
void FillRecord(API_LibPart& libPart, const GS::UniString& fileName, IO::Location* location)
{
    std::memset(&libPart, 0, sizeof libPart);
    GS::ucsncpy(libPart.docu_UName, fileName.ToUStr().Get(), API_UniLongNameLen - 1);
    GS::ucsncpy(libPart.file_UName, fileName.ToUStr().Get(), API_UniLongNameLen - 1);
    libPart.location = location;
}

}  // namespace

GSErrCode ACLink::GetTargetLibraryFolder(std::unique_ptr<IO::Location>* folder)
{
    GS::Array<API_LibraryInfo> libraries;
    Int32 embeddedIndex = -1;
    GSErrCode err = ACAPI_LibraryManagement_GetLibraries(&libraries, &embeddedIndex);
    if (err != NoError) {
        ReportHostError(err, "ACLink::GetTargetLibraryFolder ACAPI_LibraryManagement_GetLibraries");
        return err;
    }

    if (embeddedIndex >= 0 && static_cast<USize>(embeddedIndex) < libraries.GetSize()) {
        GS::UniString embedded;
        err = libraries[static_cast<UIndex>(embeddedIndex)].location.ToPath(&embedded);
        if (err != NoError)
            return err;
        const GS::UniString corvana = JoinPath(embedded, CorvanaFolderName);
        std::error_code ec;
        std::filesystem::create_directory(ToNativePath(corvana), ec);
        *folder = std::make_unique<IO::Location>(std::filesystem::is_directory(ToNativePath(corvana), ec) ? corvana
                                                                                                          : embedded);
        return NoError;
    }

    GS::UniString corvana;
    err = UserDocumentsCorvanaFolder(&corvana);
    if (err != NoError) {
        LogStream::Instance().Error("The library folder \"" + ToUtf8(corvana) +
                                    "\" cannot be made or written to");
        return APIERR_GENERAL;
    }
    *folder = std::make_unique<IO::Location>(corvana);
    for (const auto& library : libraries) {
        GS::UniString path;
        if (library.location.ToPath(&path) == NoError && NormalPath(path) == NormalPath(corvana))
            return NoError;
    }
    libraries.Push(API_LibraryInfo{IO::Location(corvana), CorvanaFolderName, API_LocalLibrary});
    err = ACAPI_LibraryManagement_SetLibraries(&libraries);
    if (err != NoError) {
        ReportHostError(err, "ACLink::GetTargetLibraryFolder ACAPI_LibraryManagement_SetLibraries");
        folder->reset();
    }
    return err;
}

bool ACLink::ImportLibraryPart(LibraryPart& item)
{
    const GS::UniString fileName = item.GetFileName();
    GS::UniString downloaded;
    if (!DownloadToTemp(item.GetFileUrl(), fileName, &downloaded))
        return false;
    item.SetDownloadedFilePath(downloaded);

    std::unique_ptr<IO::Location> target;
    GS::UniString targetFolder;
    if (GetTargetLibraryFolder(&target) != NoError || target == nullptr || target->ToPath(&targetFolder) != NoError) {
        RemoveDownloaded(downloaded);
        return false;
    }
    const GS::UniString installed = JoinPath(targetFolder, fileName);

    // The downloaded file already has the part's file name, which the copy keeps; a part imported before is
    // replaced.
    GS::Array<IO::Location> files;
    files.Push(IO::Location(downloaded));
    const bool overwrite = true;
    GSErrCode err = ACAPI_LibraryManagement_CopyFilesIntoLibrary(target.get(), &files, &overwrite);
    // The library holds its own copy now; the temporary folder keeps nothing of the import (unless the
    // temporary folder is the library folder itself).
    if (NormalPath(downloaded) != NormalPath(installed))
        RemoveDownloaded(downloaded);
    if (err != NoError) {
        ReportHostError(err, "ACLink::ImportLibraryPart ACAPI_LibraryManagement_CopyFilesIntoLibrary");
        return false;
    }

    IO::Location installedLocation(installed);
    API_LibPart libPart;
    FillRecord(libPart, fileName, &installedLocation);
    err = ACAPI_LibraryPart_Register(&libPart);
    // The record outlives this call in the item; the location was only lent for the registration.
    libPart.location = nullptr;
    if (err != NoError) {
        ReportHostError(err, "ACLink::ImportLibraryPart ACAPI_LibraryPart_Register");
        return false;
    }
    item.SetLibPart(libPart);
    item.SetInstalledFilePath(installed);

    CorvanaProperties properties;
    if (auto* corvanaPart = dynamic_cast<CorvanaLibraryPart*>(&item))
        properties = corvanaPart->GetProperties();
    const GS::UniString partName = WithoutExtension(fileName);
    if (StoreNamedProperties(partName, properties.ToJsonText()) != NoError)
        return false;

    if (RewriteCorvanaParameters(libPart, properties) != NoError)
        return false;
    err = StampPlacedObjects(partName);
    if (err != NoError)
        ReportHostError(err, "ACLink::ImportLibraryPart StampPlacedObjects");
    LogStream::Instance().Info("Library part \"" + ToUtf8(partName) + "\" imported");
    return true;
}

bool ACLink::ImportLibrary(Library& item)
{
    GS::UniString downloaded;
    if (!DownloadToTemp(item.GetFileUrl(), item.GetFileName(), &downloaded))
        return false;
    item.SetDownloadedFilePath(downloaded);

    GS::Array<API_LibraryInfo> libraries;
    GSErrCode err = ACAPI_LibraryManagement_GetLibraries(&libraries, nullptr);
    if (err == NoError) {
        libraries.Push(API_LibraryInfo{IO::Location(downloaded), WithoutExtension(item.GetFileName()), API_LocalLibrary});
        err = ACAPI_LibraryManagement_SetLibraries(&libraries);
    }
    if (err != NoError) {
        ReportHostError(err, "ACLink::ImportLibrary");
        return false;
    }
    item.SetInstalledFilePath(downloaded);
    return true;
}

}  // namespace QRV
