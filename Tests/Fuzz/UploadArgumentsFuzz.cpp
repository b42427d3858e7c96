// The two texts the page passes for an upload: the address and the request parameters. Whatever they
// hold, the decoded address is well formed and no decoded parameter can add a header line.
#include "Ifc/MultipartUpload.hpp"
#include "Ifc/UploadArguments.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

void Require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "upload arguments: %s\n", what);
        std::abort();
    }
}

size_t CountOf(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    const QRV::UploadAddress address = QRV::UploadAddress::FromUrl(text);
    Require(address.host.find('/') == std::string::npos, "the host holds a slash");
    Require(address.path.empty() || address.path[0] == '/', "the path does not start with a slash");
    Require(!address.portValid || address.port >= 1, "a valid port of 0");
    Require(address.host.size() + address.path.size() <= text.size(), "the address grew");

    const std::vector<std::string> pieces = QRV::UploadParameters::DecodePieces(text);
    const QRV::UploadParameters parameters = QRV::UploadParameters::Decode(text);
    Require(parameters.complete == (pieces.size() >= 3), "complete does not match the pieces");
    for (const auto& piece : pieces)
        Require(piece.find_first_of("{}\"") == std::string::npos, "a piece kept a brace or a quote");

    // The uploader refuses parameters with a line break before it builds the headers; from any others the
    // header lines are exactly the three and the blank line after them, or nothing at all.
    const bool refused = (parameters.token + parameters.context + parameters.contentType).find_first_of("\r\n") !=
                         std::string::npos;
    const std::optional<std::string> headers =
        refused ? std::nullopt
                : QRV::UploadRequestHeaders(parameters.token, parameters.context, parameters.contentType, "------1");
    if (headers) {
        Require(headers->size() <= 2048, "headers past the host's buffer");
        Require(CountOf(*headers, "\r\n") == 4 && CountOf(*headers, "\n") == 4 && CountOf(*headers, "\r") == 4,
                "a parameter added a header line");
    }
    const std::string partHeader = QRV::UploadPartHeader("------1", text);
    Require(CountOf(partHeader, "\r\n") == 4 && CountOf(partHeader, "\n") == 4,
            "a file name added a header line");
    return 0;
}
