// The two texts the catalogue page passes for an upload: the address to post to and the parameters of
// the request.
#pragma once

#include "UniString.hpp"

#include <string>
#include <vector>

namespace QRV {

struct UploadAddress {
    std::string host;
    UInt16 port = 443;
    std::string path;
    bool portValid = true;  // false when a ":port" suffix was not a number from 1 to 65535

    // Removes every "https://"; the host is what stands before the first "/", the path the rest from that
    // "/" on. A host may end in ":port"; without one the port is 443.
    static UploadAddress FromUrl(const std::string& url);
};

struct UploadParameters {
    std::string token;
    std::string context;
    std::string contentType;
    bool complete = false;  // false when the text had fewer than three members

    // The page writes a flat JSON object whose member values are read by position, not by name: the
    // first and last characters are dropped, braces and double quotes removed, the rest split at ",",
    // and of each piece what follows its first ":" is kept.
    static UploadParameters Decode(const std::string& text);
    static std::vector<std::string> DecodePieces(const std::string& text);
};

}  // namespace QRV
