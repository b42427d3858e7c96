#include "ServeSite.hpp"

#include "SimUtf8.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace CorvanaHost::Http {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

std::string Quoted(const std::string& text) { return Json(text).dump(-1, ' ', false, Json::error_handler_t::replace); }

// Compares without stopping at the first difference, so that the time of a refusal tells nothing about
// how much of a guessed token was right.
bool SameSecret(const std::string& given, const std::string& secret)
{
    if (given.size() != secret.size() || secret.empty())
        return false;
    unsigned char difference = 0;
    for (size_t i = 0; i < secret.size(); ++i)
        difference |= static_cast<unsigned char>(given[i] ^ secret[i]);
    return difference == 0;
}

// A name of the page folder or the payload folder: one file name of that folder (no separator, so nothing
// above or below it), not hidden.
bool IsPlainName(const std::string& name)
{
    return !name.empty() && name.front() != '.' && name.find_first_of("/\\") == std::string::npos &&
           std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

bool IsServedPayloadName(const std::string& name) { return IsPlainName(name) && Sim::PathFromUtf8(name).extension() == ".json"; }

std::vector<std::string> PayloadNames(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(Sim::PathFromUtf8(folder), error), end; !error && it != end; it.increment(error)) {
        std::string name = Sim::PathUtf8(it->path().filename());
        if (IsServedPayloadName(name) && it->is_regular_file(error))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> ReadRegularFile(const fs::path& path)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const char* ContentTypeOf(const std::string& name)
{
    const std::string extension = Sim::PathUtf8(Sim::PathFromUtf8(name).extension());
    if (extension == ".html")
        return "text/html; charset=utf-8";
    if (extension == ".js")
        return "text/javascript; charset=utf-8";
    if (extension == ".css")
        return "text/css; charset=utf-8";
    if (extension == ".json")
        return "application/json; charset=utf-8";
    if (extension == ".png")
        return "image/png";
    if (extension == ".svg")
        return "image/svg+xml";
    return "application/octet-stream";
}

HttpResponse Text(const std::string& body, const char* contentType)
{
    HttpResponse response;
    response.contentType = contentType;
    response.body = body;
    return response;
}

}  // namespace

ServeSite::ServeSite(SiteSettings settings, std::function<std::optional<PageCallOutcome>(const PageCall&)> callOnHost,
                     std::function<void()> quit)
    : settings_(std::move(settings)),
      origin_("http://" + settings_.authority),
      callOnHost_(std::move(callOnHost)),
      quit_(std::move(quit))
{
}

std::string ServeSite::NewToken()
{
    unsigned char bytes[16] = {};
    std::ifstream random("/dev/urandom", std::ios::binary);
    if (!random.read(reinterpret_cast<char*>(bytes), sizeof bytes)) {
        std::random_device device;
        for (unsigned char& byte : bytes)
            byte = static_cast<unsigned char>(device());
    }
    static const char digits[] = "0123456789abcdef";
    std::string token;
    for (unsigned char byte : bytes) {
        token += digits[byte >> 4];
        token += digits[byte & 15];
    }
    return token;
}

std::optional<HttpResponse> ServeSite::Screen(const HttpRequest& head) const
{
    // A page on any other name (one that resolves to 127.0.0.1, say) would be same-origin with what it
    // reads from here: only this address is answered.
    const std::string* host = head.Header("host");
    if (host == nullptr || *host != settings_.authority)
        return ErrorResponse(403, "the request is not addressed to this server (Host " +
                                      (host == nullptr ? std::string("missing") : Quoted(*host)) + "; it answers " +
                                      settings_.authority + " only)");
    const std::string* origin = head.Header("origin");
    if (origin != nullptr && *origin != origin_)
        return ErrorResponse(403, "a request from the page of another origin (" + Quoted(*origin) + ") is refused");
    if (head.method == "GET") {
        const std::string* length = head.Header("content-length");
        if (length != nullptr && *length != "0")
            return ErrorResponse(400, "a GET has no body");
        return std::nullopt;
    }
    if (head.method != "POST") {
        HttpResponse refused = ErrorResponse(405, "only GET and POST are answered");
        refused.headers.emplace_back("Allow", "GET, POST");
        return refused;
    }
    if (head.path != "/call" && head.path != "/quit")
        return ErrorResponse(404, "nothing to post to at " + Quoted(head.path));
    const std::string* token = head.Header(TokenHeader);
    if (token == nullptr || !SameSecret(*token, settings_.token))
        return ErrorResponse(403, "a call needs the token of the page this server serves (header X-Corvana-Token)");
    return std::nullopt;
}

HttpResponse ServeSite::Handle(const HttpRequest& request) const
{
    if (std::optional<HttpResponse> refused = Screen(request))
        return *refused;
    if (request.method == "POST") {
        if (request.path == "/quit") {
            quit_();
            return Text("{\"quitting\":true}", "application/json; charset=utf-8");
        }
        std::string problem;
        std::optional<PageCall> call = ReadPageCall(request.body, &problem);
        if (!call)
            return ErrorResponse(400, problem);
        if (call->object.empty())
            call->object = settings_.defaultObject;
        std::optional<PageCallOutcome> outcome = callOnHost_(*call);
        if (!outcome)
            return ErrorResponse(503, "the host is shutting down");
        if (!outcome->called)
            return ErrorResponse(404, outcome->problem);
        return Text(WriteReply(outcome->reply), "application/json; charset=utf-8");
    }

    const std::string& path = request.path;
    if (path == "/corvana-interface.js")
        return Text(settings_.interfaceScript, "text/javascript; charset=utf-8");
    if (path == "/payloads/")
        return Text(Json(PayloadNames(settings_.payloadFolder)).dump(-1, ' ', false, Json::error_handler_t::replace),
                    "application/json; charset=utf-8");
    if (path.rfind("/payloads/", 0) == 0)
        return Payload(path.substr(10));
    if (path == "/")
        return PageFile("index.html");
    return PageFile(path.substr(1));
}

HttpResponse ServeSite::PageFile(const std::string& name) const
{
    std::optional<std::string> text;
    if (IsPlainName(name))
        text = ReadRegularFile(Sim::PathFromUtf8(settings_.pageFolder) / Sim::PathFromUtf8(name));
    if (!text)
        return ErrorResponse(404, "the page has no file " + Quoted(name));
    HttpResponse response = Text(*text, ContentTypeOf(name));
    if (name == "index.html") {
        // The token is the page's alone: it is written into the page itself, which no page of another
        // origin can read, and the page is never kept by the browser for a later run.
        for (size_t at = response.body.find(TokenPlaceholder); at != std::string::npos;
             at = response.body.find(TokenPlaceholder, at + settings_.token.size()))
            response.body.replace(at, std::string(TokenPlaceholder).size(), settings_.token);
        response.headers.emplace_back("Cache-Control", "no-store");
        response.headers.emplace_back("X-Frame-Options", "DENY");
        response.headers.emplace_back("Referrer-Policy", "no-referrer");
    }
    return response;
}

HttpResponse ServeSite::Payload(const std::string& name) const
{
    std::optional<std::string> text;
    if (IsServedPayloadName(name))
        text = ReadRegularFile(Sim::PathFromUtf8(settings_.payloadFolder) / Sim::PathFromUtf8(name));
    if (!text)
        return ErrorResponse(404, "no payload named " + Quoted(name));
    return Text(*text, "application/json; charset=utf-8");
}

}  // namespace CorvanaHost::Http
