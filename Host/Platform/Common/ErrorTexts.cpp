#include "ErrorTexts.hpp"

#include "Platform/Network.hpp"

namespace Platform {
namespace Detail {

std::string StandardErrorText(UInt32 code)
{
    switch (code) {
        case ErrorInvalidHandle: return "The handle is invalid.";
        case ErrorNotEnoughMemory: return "Not enough memory resources are available to process this command.";
        case ErrorInvalidParameter: return "The parameter is incorrect.";
        case ErrorInternetTimeout: return "The operation timed out.";
        case ErrorInternetInternalError: return "An internal error occurred in the internet services.";
        case ErrorInternetInvalidUrl: return "The URL is invalid.";
        case ErrorInternetNameNotResolved: return "The server name or address could not be resolved.";
        case ErrorInternetIncorrectHandleType: return "The type of handle supplied is incorrect for this operation.";
        case ErrorInternetIncorrectHandleState: return "The requested operation cannot be carried out in the current state of the handle.";
        case ErrorInternetCannotConnect: return "A connection with the server could not be established.";
        case ErrorInternetConnectionAborted: return "The connection with the server was terminated abnormally.";
        case ErrorInternetSecCertDateInvalid: return "The date in the certificate is invalid or has expired.";
        case ErrorInternetSecCertCnInvalid: return "The host name in the certificate is invalid or does not match.";
        case ErrorInternetInvalidCa: return "The certificate authority is invalid or incorrect.";
        case ErrorHttpInvalidServerResponse: return "The server response could not be parsed.";
        case ErrorInternetSecureChannelError: return "An error occurred in the secure channel support.";
        default: return std::string();
    }
}

}  // namespace Detail
}  // namespace Platform
