#include "MultipartUpload.hpp"

#include "Support/Utf8.hpp"

#include "UniString.hpp"

#include <cstdio>

namespace QRV {
namespace {

constexpr size_t RequestHeaderBufferSize = 2048;

std::string EncodeFileName(const std::string& name)
{
    std::string encoded;
    for (char c : name) {
        switch (c) {
            case '"': encoded += "%22"; break;
            case '\r': encoded += "%0D"; break;
            case '\n': encoded += "%0A"; break;
            default: encoded += c;
        }
    }
    return encoded;
}

}  // namespace

std::string UploadTimeText(const std::tm& localTime)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d-%.2d-%.2d %.2d:%.2d:%.2d", localTime.tm_year + 1900, localTime.tm_mon + 1,
                  localTime.tm_mday, localTime.tm_hour, localTime.tm_min, localTime.tm_sec);
    return text;
}

std::string UploadBoundary(const std::tm& localTime)
{
    const Int32 hash = static_cast<Int32>(FromUtf8(UploadTimeText(localTime)).GenerateHashValue());
    char boundary[32];
    std::snprintf(boundary, sizeof boundary, "------%d", static_cast<int>(hash));
    return boundary;
}

std::optional<std::string> UploadRequestHeaders(const std::string& token, const std::string& context,
                                                const std::string& contentType, const std::string& boundary)
{
    char buffer[RequestHeaderBufferSize];
    const int length = std::snprintf(buffer, sizeof buffer,
                                     "Authorization: Bearer %s\r\nContext: %s\r\nContent-Type: %s; boundary=%s\r\n\r\n",
                                     token.c_str(), context.c_str(), contentType.c_str(), boundary.c_str());
    if (length < 0 || static_cast<size_t>(length) >= sizeof buffer)
        return std::nullopt;
    return std::string(buffer, static_cast<size_t>(length));
}

std::string UploadPartHeader(const std::string& boundary, const std::string& fileName)
{
    return "--" + boundary + "\r\nContent-Disposition: form-data; name=\"file\"; filename=\"" + EncodeFileName(fileName) +
           "\"\r\nContent-Type: application/octet-stream\r\n\r\n";
}

std::string UploadClosing(const std::string& boundary) { return "\r\n--" + boundary + "--\r\n"; }

std::string UploadBody(const std::string& boundary, const std::string& fileName, const std::string& content)
{
    return UploadPartHeader(boundary, fileName) + content + UploadClosing(boundary);
}

}  // namespace QRV
