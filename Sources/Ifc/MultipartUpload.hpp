// The texts of the upload request: its headers and the multipart body that carries the IFC file.
#pragma once

#include <ctime>
#include <optional>
#include <string>

namespace QRV {

// The local time to the second as "YYYY-MM-DD hh:mm:ss".
std::string UploadTimeText(const std::tm& localTime);

// "------" and the host string hash of the time text as a signed number: the same within one second.
std::string UploadBoundary(const std::tm& localTime);

// The request's header lines, or nothing when they do not fit the host's 2048-byte header buffer: a cut
// header would send a request that means something else.
std::optional<std::string> UploadRequestHeaders(const std::string& token, const std::string& context,
                                                const std::string& contentType, const std::string& boundary);

// The part header names the file; quotes and line breaks in its name are percent-encoded as browsers do
// for form uploads, so the name cannot end the header early.
std::string UploadPartHeader(const std::string& boundary, const std::string& fileName);
std::string UploadClosing(const std::string& boundary);
std::string UploadBody(const std::string& boundary, const std::string& fileName, const std::string& content);

}  // namespace QRV
