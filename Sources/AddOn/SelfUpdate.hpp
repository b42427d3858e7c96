// The add-on's self-update: downloads the installer the page names into a folder of its own and hands it
// to the maker's updater program, installed beside the add-on, which installs it once the host has let
// go of the add-on.
#pragma once

#include "UniString.hpp"

#include <string>

namespace QRV {

class UpdaterJob {
public:
    static constexpr const char* DownloadFolderName = "Corvana Add-on Update";
    static constexpr const char* MakerFolderName = "Corvana";
    static constexpr const char* UpdaterFileName = "Hostwatch.exe";

    // Finds (and makes) the download folder under the host's user folder.
    explicit UpdaterJob(const GS::UniString& installerAddress);

    // Downloads the installer and starts the updater with it. False when the file name is unusable, the
    // download or the start failed (each told in a message box) or the updater is not installed (told to
    // no one: there is nothing the user could do).
    bool Run() const;

    const GS::UniString& DownloadFolder() const { return downloadFolder_; }

    // The part of the address after its last "/", or the whole address.
    static std::string InstallerFileName(const std::string& address);
    // Whether a name from the page can be a file of the download folder and nothing else: no way out of
    // the folder, no separator of any platform, nothing that breaks the updater's quoted argument, and
    // short enough in bytes to be downloaded under the name and the download's suffix.
    static bool IsPlainFileName(const std::string& name);
    // Program files, the maker's folder, "AC" and the host version, the updater.
    static GS::UniString UpdaterPath(const GS::UniString& programFilesFolder);

private:
    GS::UniString installerAddress_;
    GS::UniString downloadFolder_;
};

}  // namespace QRV
