#include "SelfUpdate.hpp"

#include "Support/HostFolders.hpp"
#include "Support/LogStream.hpp"
#include "Support/ModuleState.hpp"

#include "Platform/Network.hpp"
#include "Platform/Shell.hpp"
#include "Support/NativePath.hpp"
#include "Support/Utf8.hpp"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace QRV {
namespace {

void ShowError(const char* text) { Platform::MessageBox(text, "Error", Platform::MessageBoxOk); }

bool DownloadFailed(const std::string& why)
{
    LogStream::Instance().Error("Self-update: " + why);
    ShowError("Download failed!");
    return false;
}

}  // namespace

UpdaterJob::UpdaterJob(const GS::UniString& installerAddress) : installerAddress_(installerAddress)
{
    GS::UniString documents;
    if (!UserDocumentsFolder(&documents))
        return;
    const std::filesystem::path folder = ToNativePath(documents) / DownloadFolderName;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (std::filesystem::is_directory(folder, error))
        downloadFolder_ = FromNativePath(folder);
}

std::string UpdaterJob::InstallerFileName(const std::string& address)
{
    const size_t slash = address.rfind('/');
    return slash == std::string::npos ? address : address.substr(slash + 1);
}

bool UpdaterJob::IsPlainFileName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    // The download is written under the name and a suffix first; both must fit a file name in bytes.
    if (name.size() + std::strlen(Platform::DownloadPartSuffix) > Platform::MaxFileNameBytes)
        return false;
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F)
            return false;
        switch (c) {
            case '/': case '\\': case ':':                        // separators of one platform or another
            case '"':                                             // would end the updater's quoted argument
            case '<': case '>': case '|': case '?': case '*':     // not allowed in a Windows file name
                return false;
            default: break;
        }
    }
    return true;
}

GS::UniString UpdaterJob::UpdaterPath(const GS::UniString& programFilesFolder)
{
    const GS::UniString hostFolder = GS::UniString::Printf("AC%d%s", static_cast<int>(HostVersion), "");
    return JoinNativePath(JoinNativePath(JoinNativePath(programFilesFolder, MakerFolderName), hostFolder),
                          UpdaterFileName);
}

bool UpdaterJob::Run() const
{
    try {
        const std::string fileName = InstallerFileName(ToUtf8(installerAddress_));
        if (!IsPlainFileName(fileName))
            return DownloadFailed("refused the installer's file name \"" + fileName + "\"");
        if (downloadFolder_.IsEmpty())
            return DownloadFailed("no download folder");
        // The updater takes the path as one text, so it is written as its system writes paths.
        const GS::UniString destination = JoinNativePath(downloadFolder_, FromUtf8(fileName));
        std::string why;
        // What is started on the user's machine comes over TLS only, redirects included.
        if (!Platform::DownloadUrlToFile(installerAddress_, destination, Platform::SecureWebOnly(), &why))
            return DownloadFailed("cannot download " + ToUtf8(installerAddress_) + ": " + why);

        GS::UniString programFiles;
        if (!Platform::GetSpecialFolderPath(Platform::FolderProgramFiles, &programFiles, false))
            return false;
        const GS::UniString updater = UpdaterPath(programFiles);
        const UInt32 attributes = Platform::GetFileAttributes(updater);
        if (attributes == Platform::InvalidFileAttributes || (attributes & Platform::FileAttributeDirectory) != 0) {
            LogStream::Instance().Warning("Self-update: no updater at " + ToUtf8(updater));
            return false;
        }
        const GS::UniString parameters = GS::UniString("\"") + destination + "\"";
        const Int32 started = Platform::ShellExecute("open", updater, parameters, GS::UniString(), Platform::ShowHidden);
        if (started > Platform::ShellExecuteFailureLimit)
            return true;
        LogStream::Instance().Error("Self-update: cannot start " + ToUtf8(updater) + " (" +
                                    std::to_string(started) + ")");
        ShowError("ShellExecute failed!");
        return false;
    } catch (const std::exception& exception) {
        LogStream::Instance().Error(std::string("Self-update failed: ") + exception.what());
        return false;
    }
}

}  // namespace QRV
