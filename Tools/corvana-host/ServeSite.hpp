// What `serve` answers to one request: the test page, the script objects, the payload folder, the calls
// and /quit. Any program on the machine and any web page the user has open can send it requests, so
// every request must be addressed to the server by its own address (a page on another name that resolves
// to 127.0.0.1 is refused, whatever its Host), must not come from a page of another origin, and a call
// or /quit must carry the token that only the page the server serves knows. Nothing here touches the
// host: a call goes through `callOnHost`.
#pragma once

#include "ServeCall.hpp"
#include "ServeHttp.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace CorvanaHost::Http {

// The header that carries the token, and the page's placeholder for it (in index.html).
constexpr const char* TokenHeader = "x-corvana-token";
constexpr const char* TokenPlaceholder = "@CORVANA_TOKEN@";

struct SiteSettings {
    std::string authority;  // "127.0.0.1:PORT", the only Host answered
    std::string token;
    std::string pageFolder;
    std::string payloadFolder;
    std::string interfaceScript;  // /corvana-interface.js
    std::string defaultObject;    // the script object of a call that names none
};

class ServeSite {
public:
    // `callOnHost` runs a call on the host thread and answers its outcome; nullopt when the host no
    // longer takes calls. `quit` ends the serving.
    ServeSite(SiteSettings settings, std::function<std::optional<PageCallOutcome>(const PageCall&)> callOnHost,
              std::function<void()> quit);

    // From the head alone (the body may still be on its way): a refusal when the request is not one to
    // take, whatever its body; nullopt when the body may be read.
    std::optional<HttpResponse> Screen(const HttpRequest& head) const;
    // The answer to a whole request (screened again).
    HttpResponse Handle(const HttpRequest& request) const;

    const SiteSettings& Settings() const { return settings_; }

    // A token of 128 random bits, as 32 hexadecimal digits.
    static std::string NewToken();

private:
    HttpResponse PageFile(const std::string& name) const;
    HttpResponse Payload(const std::string& name) const;

    SiteSettings settings_;
    std::string origin_;  // "http://" + authority
    std::function<std::optional<PageCallOutcome>(const PageCall&)> callOnHost_;
    std::function<void()> quit_;
};

}  // namespace CorvanaHost::Http
