#include "UploadArguments.hpp"

#include <algorithm>

namespace QRV {
namespace {

void RemoveAll(std::string& text, const std::string& part)
{
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at))
        text.erase(at, part.size());
}

bool ParsePort(const std::string& digits, UInt16& port)
{
    if (digits.empty() || digits.size() > 5 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const long value = std::stol(digits);
    if (value < 1 || value > 65535)
        return false;
    port = static_cast<UInt16>(value);
    return true;
}

}  // namespace

UploadAddress UploadAddress::FromUrl(const std::string& url)
{
    std::string rest = url;
    RemoveAll(rest, "https://");
    UploadAddress address;
    const size_t slash = rest.find('/');
    address.host = rest.substr(0, slash);
    address.path = slash == std::string::npos ? std::string() : rest.substr(slash);
    const size_t colon = address.host.rfind(':');
    if (colon != std::string::npos) {
        address.portValid = ParsePort(address.host.substr(colon + 1), address.port);
        address.host.erase(colon);
    }
    return address;
}

std::vector<std::string> UploadParameters::DecodePieces(const std::string& text)
{
    std::string inner = text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string();
    inner.erase(std::remove_if(inner.begin(), inner.end(), [](char c) { return c == '{' || c == '}' || c == '"'; }),
                inner.end());
    std::vector<std::string> pieces;
    size_t start = 0;
    while (true) {
        const size_t comma = inner.find(',', start);
        std::string piece = inner.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const size_t colon = piece.find(':');
        pieces.push_back(colon == std::string::npos ? piece : piece.substr(colon + 1));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return pieces;
}

UploadParameters UploadParameters::Decode(const std::string& text)
{
    const std::vector<std::string> pieces = DecodePieces(text);
    UploadParameters parameters;
    parameters.complete = pieces.size() >= 3;
    if (parameters.complete) {
        parameters.token = pieces[0];
        parameters.context = pieces[1];
        parameters.contentType = pieces[2];
    }
    return parameters;
}

}  // namespace QRV
