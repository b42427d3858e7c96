#include "HostErrorReport.hpp"

#include "HostErrorTexts.hpp"
#include "LogStream.hpp"

namespace QRV {

std::string HostErrorMessage(GSErrCode err, const char* label)
{
    if (err == NoError)
        return {};
    const auto& texts = HostErrorTexts();
    auto it = texts.find(err);
    std::string message = "Archicad API Error: ";
    message += it != texts.end() ? it->second : "Unspecified error message";
    if (label != nullptr)
        message += std::string(" (") + label + ")";
    return message;
}

void ReportHostError(GSErrCode err, const char* label)
{
    if (err == NoError)
        return;
    LogStream::Instance().Error(HostErrorMessage(err, label));
}

}  // namespace QRV
