// The HTTP/1.1 messages of `serve`: a request read from the bytes of one connection, within fixed limits
// on its head and body, and a response written as one block. Anyone on the machine (and any web page the
// user opens) can send bytes to the server, so the reader takes only the plain form a browser, Node.js
// or curl sends: a request line, header lines, and a body of the length that Content-Length gives.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace CorvanaHost::Http {

// The request line and the header lines together.
constexpr std::size_t MaxHeadBytes = 16 * 1024;
constexpr std::size_t MaxHeaderLines = 100;
// The largest page text the add-on takes is 16 MiB; as a JSON string in a call's body it may need up to
// twice that (every quote or backslash escaped), plus the call's few other members.
constexpr std::size_t MaxBodyBytes = 2 * 16 * 1024 * 1024 + 64 * 1024;

struct HttpRequest {
    std::string method;
    std::string target;  // as sent
    std::string path;    // the target without its query, percent-decoded
    std::vector<std::pair<std::string, std::string>> headers;  // names in lower case, in order
    std::string body;

    // The value of header `name` (lower case); null when it was not sent.
    const std::string* Header(const std::string& name) const;
};

struct HttpResponse {
    int status = 200;
    std::string contentType = "application/json; charset=utf-8";
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;  // besides the ones every response has
};

// The status line, the headers (Content-Type, Content-Length, Connection: close and those of `response`)
// and the body.
std::string WriteResponse(const HttpResponse& response);
const char* StatusText(int status);

// Reads one request from a connection's bytes, as they arrive in any pieces.
class HttpRequestReader {
public:
    enum class State {
        Head,      // the head is not complete yet
        Body,      // the head is read (Request() has it without its body), the body is still coming
        Complete,  // Request() is the whole request
        Refused,   // the bytes are no request this server takes: Refusal() says why
    };

    // Takes the next bytes; answers the state after them. Bytes after a complete request are ignored
    // (one request per connection).
    State Feed(const char* data, std::size_t size);
    State GetState() const { return state_; }

    const HttpRequest& Request() const { return request_; }
    // The announced body length (valid from Body on).
    std::size_t BodyLength() const { return bodyLength_; }
    // Whether the client waits for "100 Continue" before it sends the body.
    bool ExpectsContinue() const { return expectsContinue_; }
    // Refused: the response to send.
    const HttpResponse& Refusal() const { return refusal_; }

private:
    State Refuse(int status, const std::string& problem);
    State ReadHead(std::size_t headEnd, std::size_t bodyStart);
    State TakeBody();

    State state_ = State::Head;
    std::string buffer_;  // the head while it is read
    HttpRequest request_;
    std::size_t bodyLength_ = 0;
    bool expectsContinue_ = false;
    HttpResponse refusal_;
};

// A JSON error body: {"error": TEXT}.
HttpResponse ErrorResponse(int status, const std::string& problem);

}  // namespace CorvanaHost::Http
