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

    // How much of the server's reply is read, and for how long, before the upload is given up: the
    // success reply is a few bytes, so a server that keeps sending holds neither memory nor the host.
    // Only the first `debugBytes` of a reply go to the debug output.
    struct ReplyLimits {
        UInt64 maxBytes = 64u * 1024u;
        UInt32 maxSeconds = 60;
        UInt64 debugBytes = 4u * 1024u;
    };
    static ReplyLimits GetReplyLimits();
    // For tests, which cannot wait a minute; every upload reads the limits set here.
    static void SetReplyLimits(const ReplyLimits& limits);

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
