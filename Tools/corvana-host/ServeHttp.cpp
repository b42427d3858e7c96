#include "ServeHttp.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>

namespace CorvanaHost::Http {
namespace {

bool IsTokenChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || std::string("!#$%&'*+-.^_`|~").find(c) != std::string::npos;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string TrimSpaces(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Percent-decoding of a path; false for a broken escape or a decoded NUL.
bool DecodePath(const std::string& raw, std::string* decoded)
{
    decoded->clear();
    for (size_t i = 0; i < raw.size(); ++i) {
        char c = raw[i];
        if (c == '%') {
            int high = i + 1 < raw.size() ? HexValue(raw[i + 1]) : -1;
            int low = i + 2 < raw.size() ? HexValue(raw[i + 2]) : -1;
            if (high < 0 || low < 0)
                return false;
            c = static_cast<char>(high * 16 + low);
            i += 2;
        }
        if (c == '\0')
            return false;
        decoded->push_back(c);
    }
    return true;
}

}  // namespace

const std::string* HttpRequest::Header(const std::string& name) const
{
    for (const auto& [key, value] : headers)
        if (key == name)
            return &value;
    return nullptr;
}

const char* StatusText(int status)
{
    switch (status) {
        case 100: return "Continue";
        case 200: return "OK";
        case 400: return "Bad Request";
        case 403: return "Forbidden";
        case 404: return "Not Found";
        case 405: return "Method Not Allowed";
        case 408: return "Request Timeout";
        case 411: return "Length Required";
        case 413: return "Content Too Large";
        case 414: return "URI Too Long";
        case 417: return "Expectation Failed";
        case 431: return "Request Header Fields Too Large";
        case 500: return "Internal Server Error";
        case 501: return "Not Implemented";
        case 503: return "Service Unavailable";
        case 505: return "HTTP Version Not Supported";
        default: return "Unknown";
    }
}

std::string WriteResponse(const HttpResponse& response)
{
    std::string text = "HTTP/1.1 " + std::to_string(response.status) + " " + StatusText(response.status) + "\r\n";
    text += "Content-Type: " + response.contentType + "\r\n";
    text += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
    text += "Connection: close\r\n";
    text += "X-Content-Type-Options: nosniff\r\n";
    for (const auto& [name, value] : response.headers)
        text += name + ": " + value + "\r\n";
    text += "\r\n";
    text += response.body;
    return text;
}

HttpResponse ErrorResponse(int status, const std::string& problem)
{
    HttpResponse response;
    response.status = status;
    response.body = nlohmann::json{{"error", problem}}.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return response;
}

HttpRequestReader::State HttpRequestReader::Refuse(int status, const std::string& problem)
{
    refusal_ = ErrorResponse(status, problem);
    buffer_.clear();
    buffer_.shrink_to_fit();
    request_.body.clear();
    state_ = State::Refused;
    return state_;
}

HttpRequestReader::State HttpRequestReader::Feed(const char* data, std::size_t size)
{
    if (state_ == State::Head) {
        // Only as much as the head may hold is kept; the end of the head is looked for in what came new
        // (and the three bytes before it), so a head sent byte by byte costs no more than one sent whole.
        const size_t searchFrom = buffer_.size() >= 3 ? buffer_.size() - 3 : 0;
        const size_t take = std::min(size, MaxHeadBytes + 4 - std::min(buffer_.size(), MaxHeadBytes + 4));
        buffer_.append(data, take);
        size_t headEnd = std::string::npos;
        size_t bodyStart = 0;
        for (size_t i = searchFrom; i < buffer_.size(); ++i) {
            if (buffer_[i] != '\n')
                continue;
            if (i + 1 < buffer_.size() && buffer_[i + 1] == '\n') {
                headEnd = i;
                bodyStart = i + 2;
                break;
            }
            if (i + 2 < buffer_.size() && buffer_[i + 1] == '\r' && buffer_[i + 2] == '\n') {
                headEnd = i;
                bodyStart = i + 3;
                break;
            }
        }
        if (headEnd == std::string::npos) {
            if (buffer_.size() > MaxHeadBytes)
                return Refuse(431, "the request's head is longer than " + std::to_string(MaxHeadBytes) + " bytes");
            return state_;
        }
        if (headEnd > MaxHeadBytes)
            return Refuse(431, "the request's head is longer than " + std::to_string(MaxHeadBytes) + " bytes");
        // What followed the head in this piece belongs to the body.
        std::string rest = buffer_.substr(std::min(bodyStart, buffer_.size()));
        rest.append(data + take, size - take);
        if (ReadHead(headEnd, bodyStart) == State::Refused)
            return state_;
        data = rest.data();
        size = rest.size();
        if (state_ == State::Body) {
            request_.body.append(data, std::min(size, bodyLength_));
            return TakeBody();
        }
        return state_;
    }
    if (state_ == State::Body) {
        request_.body.append(data, std::min(size, bodyLength_ - request_.body.size()));
        return TakeBody();
    }
    return state_;
}

HttpRequestReader::State HttpRequestReader::TakeBody()
{
    if (request_.body.size() >= bodyLength_)
        state_ = State::Complete;
    return state_;
}

HttpRequestReader::State HttpRequestReader::ReadHead(std::size_t headEnd, std::size_t /*bodyStart*/)
{
    std::string head = buffer_.substr(0, headEnd);
    buffer_.clear();
    buffer_.shrink_to_fit();
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= head.size()) {
        size_t end = head.find('\n', start);
        if (end == std::string::npos)
            end = head.size();
        std::string line = head.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    if (lines.size() > MaxHeaderLines + 1)
        return Refuse(431, "the request has more than " + std::to_string(MaxHeaderLines) + " header lines");

    // The request line: METHOD TARGET HTTP/1.x
    const std::string& requestLine = lines.front();
    size_t firstSpace = requestLine.find(' ');
    size_t lastSpace = requestLine.rfind(' ');
    if (firstSpace == std::string::npos || firstSpace == lastSpace)
        return Refuse(400, "the request line is not METHOD TARGET HTTP/1.1");
    request_.method = requestLine.substr(0, firstSpace);
    request_.target = requestLine.substr(firstSpace + 1, lastSpace - firstSpace - 1);
    const std::string version = requestLine.substr(lastSpace + 1);
    if (request_.method.empty() || !std::all_of(request_.method.begin(), request_.method.end(), IsTokenChar))
        return Refuse(400, "the request line is not METHOD TARGET HTTP/1.1");
    if (version != "HTTP/1.1" && version != "HTTP/1.0")
        return Refuse(505, "only HTTP/1.1 and HTTP/1.0 are served");
    if (request_.target.empty() || request_.target.front() != '/' ||
        request_.target.find_first_of(" \t\r") != std::string::npos)
        return Refuse(400, "the request target is not a path");
    const std::string rawPath = request_.target.substr(0, request_.target.find_first_of("?#"));
    if (!DecodePath(rawPath, &request_.path))
        return Refuse(400, "the request path has a broken escape");

    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            return Refuse(400, "folded header lines are not taken");
        size_t colon = line.find(':');
        if (colon == std::string::npos || colon == 0 ||
            !std::all_of(line.begin(), line.begin() + static_cast<long>(colon), IsTokenChar))
            return Refuse(400, "a header line is not NAME: VALUE");
        std::string name = Lower(line.substr(0, colon));
        std::string value = TrimSpaces(line.substr(colon + 1));
        if (value.find_first_of(std::string("\r\0", 2)) != std::string::npos)
            return Refuse(400, "a header value holds a control character");
        if (const std::string* earlier = request_.Header(name)) {
            // Two different lengths or two hosts leave it open which one counts.
            if (name == "host" || (name == "content-length" && *earlier != value))
                return Refuse(400, "the header " + name + " is given twice");
            if (name == "content-length")
                continue;
        }
        request_.headers.emplace_back(std::move(name), std::move(value));
    }

    if (request_.Header("transfer-encoding") != nullptr)
        return Refuse(501, "a body sent in chunks is not taken; send it with Content-Length");
    if (const std::string* expect = request_.Header("expect")) {
        if (Lower(*expect) != "100-continue")
            return Refuse(417, "only \"Expect: 100-continue\" is understood");
        expectsContinue_ = true;
    }
    bodyLength_ = 0;
    if (const std::string* length = request_.Header("content-length")) {
        if (length->empty() || length->size() > 19 || !std::all_of(length->begin(), length->end(), ::isdigit))
            return Refuse(400, "Content-Length is not a number of bytes");
        bodyLength_ = static_cast<size_t>(std::stoull(*length));
        if (bodyLength_ > MaxBodyBytes)
            return Refuse(413, "the body is " + *length + " bytes, more than the limit of " +
                                   std::to_string(MaxBodyBytes) + " bytes");
    } else if (request_.method == "POST" || request_.method == "PUT") {
        return Refuse(411, "a POST needs a Content-Length (an empty body: Content-Length: 0)");
    }
    state_ = bodyLength_ == 0 ? State::Complete : State::Body;
    if (state_ == State::Body)
        request_.body.reserve(bodyLength_);
    return state_;
}

}  // namespace CorvanaHost::Http
