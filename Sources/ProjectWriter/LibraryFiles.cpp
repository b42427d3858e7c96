#include "LibraryFiles.hpp"

#include "ACAPinc.h"
#include "Support/LogStream.hpp"
#include "Support/NativePath.hpp"
#include "DownloadBudget.hpp"
#include "Platform/Network.hpp"
#include "Platform/Runtime.hpp"
#include "Support/Utf8.hpp"

#include <cstring>
#include <filesystem>

namespace QRV {
namespace {

constexpr USize MaxFileNameLength = API_UniLongNameLen - 1;

bool HasForbiddenCharacter(const std::string& name)
{
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':')
            return true;
    return false;
}

}  // namespace

bool IsSafeLibraryFileName(const GS::UniString& fileName)
{
    const std::string& name = ToUtf8(fileName);
    if (name.empty() || name == "." || name == ".." || HasForbiddenCharacter(name))
        return false;
    // The host's record counts characters; the file system counts bytes, of the name and of the suffix
    // the download is written under first.
    if (fileName.GetLength() > MaxFileNameLength)
        return false;
    if (name.size() + std::strlen(Platform::DownloadPartSuffix) > Platform::MaxFileNameBytes)
        return false;
    return !WithoutExtension(fileName).IsEmpty();
}

GS::UniString TemporaryFolder()
{
    API_SpecFolderID id = API_TemporaryFolderID;
    IO::Location location;
    GS::UniString path;
    if (ACAPI_ProjectSettings_GetSpecFolder(&id, &location) == NoError && location.ToPath(&path) == NoError)
        return path;
    GS::UniString temp;
    if (Platform::GetEnvironmentText("TEMP", &temp))
        return temp;
    return "/tmp";
}

GS::UniString JoinPath(const GS::UniString& folder, const GS::UniString& name)
{
    std::string path = ToUtf8(folder);
    if (!path.empty() && path.back() != '/')
        path += '/';
    return FromUtf8(path + ToUtf8(name));
}

GS::UniString WithoutExtension(const GS::UniString& fileName)
{
    const std::string& name = ToUtf8(fileName);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? fileName : FromUtf8(name.substr(0, dot));
}

bool DownloadToTemp(const GS::UniString& address, const GS::UniString& fileName, GS::UniString* downloaded)
{
    if (!IsSafeLibraryFileName(fileName)) {
        LogStream::Instance().Error("Library download refused: \"" + ToUtf8(fileName) +
                                    "\" is not a plain file name");
        return false;
    }
    const GS::UniString target = JoinPath(TemporaryFolder(), fileName);
    std::string problem;
    Platform::DownloadRules rules;
    if (!DownloadBudget::RulesForNext(rules, problem) || !Platform::DownloadUrlToFile(address, target, rules, &problem)) {
        LogStream::Instance().Error("Library download of " + ToUtf8(address) + " failed: " + problem);
        return false;
    }
    std::error_code error;
    const auto bytes = std::filesystem::file_size(ToNativePath(target), error);
    DownloadBudget::Spent(error ? 0 : static_cast<UInt64>(bytes));
    if (downloaded != nullptr)
        *downloaded = target;
    return true;
}

void RemoveDownloaded(const GS::UniString& downloaded)
{
    std::error_code error;
    std::filesystem::remove(ToNativePath(downloaded), error);
    if (error)
        LogStream::Instance().Warning("The downloaded file " + ToUtf8(downloaded) + " could not be removed: " +
                                      error.message());
}

}  // namespace QRV
