// Uploads a saved IFC file to the catalogue's web application as a multipart form POST over HTTPS,
// authorised by the bearer token the page passed.
#pragma once

#include "Array.hpp"
#include "UniString.hpp"

#include <ctime>
#include <functional>
#include <string>

namespace QRV {

class IfcUploader {
public:
    using LocalTimeSource = std::function<std::tm()>;

    static constexpr const char* UserAgent = "Corvana Archicad Plugin";
    static constexpr const char* SuccessReply = "{\"data\":\"Success\"}";
    static constexpr UInt32 ReadChunkSize = 1023;

    IfcUploader();  // boundaries from the current local time
    explicit IfcUploader(LocalTimeSource localTime);

    // `arguments`: [0] the address to post to, [1] the upload parameters. True only when the server
    // answered with the success reply as one piece. Refused requests (line breaks in header values,
    // headers too long, missing arguments, a bad port) send nothing and say why in an alert.
    bool Upload(const GS::Array<GS::UniString>& arguments, const GS::UniString& fileLocation,
                const GS::UniString& projectName) const;

private:
    LocalTimeSource localTime_;
};

// What the user reads when the request could not be sent: for a time-out the add-on's own text, which names
// the error, before the system's; for any other error the system's text for it ("" for none).
std::string SendFailureText(UInt32 errorCode);

}  // namespace QRV
