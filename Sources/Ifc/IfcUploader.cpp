#include "IfcUploader.hpp"

#include "Support/LogStream.hpp"
#include "MultipartUpload.hpp"
#include "UploadAlert.hpp"
#include "UploadArguments.hpp"

#include "GSDebug.hpp"
#include "Platform/Network.hpp"
#include "Platform/Runtime.hpp"
#include "Support/NativePath.hpp"
#include "Support/Utf8.hpp"

#include <chrono>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace QRV {
namespace {

constexpr UInt32 ServerTimeoutError = 12002;

IfcUploader::ReplyLimits replyLimits;

std::tm CurrentLocalTime()
{
    std::tm local{};
    Platform::LocalTime(std::time(nullptr), &local);
    return local;
}

bool HoldsLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

bool Refuse(const std::string& reason)
{
    LogStream::Instance().Error("IFC upload refused: " + reason);
    ShowUploadAlert("The upload was refused.", FromUtf8(reason));
    return false;
}

// The whole file, zero bytes included: the body carries its length, and an IFC file cut short would
// arrive as a different model.
std::optional<std::string> ReadWholeFile(const GS::UniString& fileLocation)
{
    const std::filesystem::path path = ToNativePath(fileLocation);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return std::nullopt;
    return content;
}

std::string LastErrorText()
{
    const UInt32 code = Platform::GetLastError();
    return code == Platform::ErrorSuccess ? std::string() : Platform::FormatErrorMessage(code);
}

// Closes what was opened, in reverse order, however the exchange ended.
class InternetHandles {
public:
    ~InternetHandles()
    {
        for (Platform::InternetHandle handle : {request, connection, session})
            if (handle != nullptr)
                Platform::InternetCloseHandle(handle);
    }
    Platform::InternetHandle session = nullptr;
    Platform::InternetHandle connection = nullptr;
    Platform::InternetHandle request = nullptr;
};

bool SendAndReadReply(const UploadAddress& address, const std::string& headers, const std::string& body)
{
    InternetHandles handles;
    handles.session = Platform::InternetOpen(IfcUploader::UserAgent);
    if (handles.session != nullptr)
        handles.connection = Platform::InternetConnect(handles.session, FromUtf8(address.host), address.port);
    if (handles.connection != nullptr)
        handles.request = Platform::HttpOpenRequest(handles.connection, "POST", FromUtf8(address.path),
                                                    Platform::InternetFlagSecure);
    const bool sent = handles.request != nullptr &&
                      Platform::HttpSendRequest(handles.request, FromUtf8(headers), body.data(),
                                                static_cast<UInt32>(body.size()));
    if (!sent) {
        const UInt32 code = Platform::GetLastError();
        const std::string text = SendFailureText(code);
        LogStream::Instance().Error("IFC upload to " + address.host + " failed: error " + std::to_string(code) +
                                    (text.empty() ? std::string() : " " + text));
        ShowUploadAlert("", FromUtf8(text));
        return false;
    }

    // The reply's body is timed from the moment its head arrived; a body uploaded slowly does not count.
    const IfcUploader::ReplyLimits limits = IfcUploader::GetReplyLimits();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limits.maxSeconds);
    bool success = false;
    UInt64 received = 0;
    char buffer[IfcUploader::ReadChunkSize];
    UInt32 read = 0;
    while (Platform::InternetReadFile(handles.request, buffer, IfcUploader::ReadChunkSize, &read) && read > 0) {
        if (received < limits.debugBytes) {
            const UInt64 shown = std::min<UInt64>(read, limits.debugBytes - received);
            DBPrintf("%.*s\n", static_cast<int>(shown), buffer);
        }
        received += read;
        if (std::string(buffer, read) == IfcUploader::SuccessReply)
            success = true;
        const char* limit = received > limits.maxBytes                   ? "bytes"
                            : std::chrono::steady_clock::now() >= deadline ? "seconds"
                                                                           : nullptr;
        if (limit != nullptr) {
            const std::string text = "The server's reply passed the limit of " +
                                     std::to_string(limit[0] == 'b' ? limits.maxBytes : limits.maxSeconds) +
                                     " " + limit + ".";
            LogStream::Instance().Error("IFC upload to " + address.host + " failed: " + text);
            ShowUploadAlert("The upload failed.", FromUtf8(text));
            return false;
        }
    }
    if (received > limits.debugBytes)
        DBPrintf("(%llu more bytes of the reply not shown)\n",
                 static_cast<unsigned long long>(received - limits.debugBytes));
    ShowUploadAlert("", FromUtf8(LastErrorText()));
    return success;
}

}  // namespace

std::string SendFailureText(UInt32 errorCode)
{
    if (errorCode == ServerTimeoutError)
        return "Server timeout!\nError 12002";
    return errorCode == Platform::ErrorSuccess ? std::string() : Platform::FormatErrorMessage(errorCode);
}

IfcUploader::ReplyLimits IfcUploader::GetReplyLimits() { return replyLimits; }

void IfcUploader::SetReplyLimits(const ReplyLimits& limits) { replyLimits = limits; }

IfcUploader::IfcUploader() : localTime_(&CurrentLocalTime) {}

IfcUploader::IfcUploader(LocalTimeSource localTime) : localTime_(std::move(localTime)) {}

bool IfcUploader::Upload(const GS::Array<GS::UniString>& arguments, const GS::UniString& fileLocation,
                         const GS::UniString& projectName) const
{
    try {
        if (arguments.GetSize() < 2)
            return Refuse("The page sent no upload address or no upload parameters.");
        const UploadAddress address = UploadAddress::FromUrl(ToUtf8(arguments[0]));
        if (address.host.empty())
            return Refuse("The upload address names no server.");
        if (!address.portValid)
            return Refuse("The upload address has an invalid port.");
        const UploadParameters parameters = UploadParameters::Decode(ToUtf8(arguments[1]));
        if (!parameters.complete)
            return Refuse("The upload parameters are incomplete.");
        for (const std::string* text : {&address.host, &address.path, &parameters.token, &parameters.context,
                                        &parameters.contentType})
            if (HoldsLineBreak(*text))
                return Refuse("The upload address or parameters hold a line break.");

        const std::string fileName = ToUtf8(projectName) + ".ifc";
        const std::string boundary = UploadBoundary(localTime_());
        const std::optional<std::string> headers =
            UploadRequestHeaders(parameters.token, parameters.context, parameters.contentType, boundary);
        if (!headers)
            return Refuse("The upload parameters are too long.");

        const std::optional<std::string> content = ReadWholeFile(fileLocation);
        if (!content) {
            LogStream::Instance().Error("IFC upload: cannot read the exported file " + ToUtf8(fileLocation));
            return false;
        }
        const std::string body = UploadBody(boundary, fileName, *content);
        if (body.size() > UINT32_MAX)
            return Refuse("The exported file is too large to upload.");
        return SendAndReadReply(address, *headers, body);
    } catch (const std::exception& exception) {
        LogStream::Instance().Error(std::string("IFC upload failed: ") + exception.what());
        return false;
    }
}

}  // namespace QRV
