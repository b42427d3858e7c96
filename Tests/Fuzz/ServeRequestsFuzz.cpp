// The request handling of `corvana-host serve`: the bytes of one connection, arriving in pieces of a
// size the first byte chooses, go through the request reader and the site as the listener passes them,
// and a call that gets through runs in the module on the host. Whatever the bytes:
//  - a call or /quit reaches the host only when the request is addressed to the server, comes from no
//    other origin and carries the page's token (checked here on its own, not by asking the site);
//  - an answer to a request addressed to another name is the same whatever the token is, so it cannot
//    tell it (a refusal quotes what the client sent, escaped, and an escape may complete a text that
//    merely looks like the token);
//  - every answer is a response the listener can send, and the module's invariants hold after a call.
#include "Support/FuzzHost.hpp"

#include "ServeHttp.hpp"
#include "ServeSite.hpp"

#include <cstdio>
#include <cstdlib>

namespace {

using namespace CorvanaHost::Http;

const std::string Token = "0123456789abcdef0123456789abcdef";
const std::string OtherToken = "fedcba9876543210fedcba9876543210";
const std::string Authority = "127.0.0.1:8420";

[[noreturn]] void Broken(const char* what)
{
    std::fprintf(stderr, "serve's request handling: %s\n", what);
    std::abort();
}

// What the site must demand before it lets a request act.
bool MayAct(const HttpRequest& request)
{
    const std::string* host = request.Header("host");
    const std::string* origin = request.Header("origin");
    const std::string* token = request.Header("x-corvana-token");
    return request.method == "POST" && host != nullptr && *host == Authority &&
           (origin == nullptr || *origin == "http://" + Authority) && token != nullptr && *token == Token;
}

bool IsImport(const std::string& function)
{
    return function == "import" || function == "update" || function == "replaceSystem" ||
           function == "replaceMaterialUsedInConstructionSystem";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t piece = 1 + data[0] % 97;
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const size_t length = size - 1;

    QRVFuzz::FuzzHost& world = QRVFuzz::FuzzHost::Fresh();
    Sim::UserInterface& ui = world.Host().FamilyState<Sim::UserInterface>();
    HttpRequestReader reader;
    bool acted = false;

    SiteSettings settings;
    settings.authority = Authority;
    settings.token = Token;
    settings.pageFolder = std::string(CORVANA_SOURCE_DIR) + "/Tools/corvana-host/page";
    settings.payloadFolder = std::string(CORVANA_SOURCE_DIR) + "/Examples/payloads";
    settings.interfaceScript = "window.jsCorvanaInterface = {};\n";
    settings.defaultObject = "jsCorvanaInterface";
    const ServeSite site(
        settings,
        [&](const PageCall& call) -> std::optional<PageCallOutcome> {
            if (!MayAct(reader.Request()))
                Broken("a call reached the host without the request's address, origin and token");
            acted = true;
            world.Begin();
            PageCallOutcome outcome = CallOnHost(ui, call);
            QRVTest::CallOutcome seen;
            seen.isImport = IsImport(call.function);
            seen.failed = seen.isImport && outcome.reply.is_string() &&
                          outcome.reply.get<std::string>().find("\"IsError\":true") != std::string::npos;
            if (!outcome.called && outcome.problem.rfind("exception escaped", 0) == 0)
                seen.escaped = outcome.problem;
            world.Verify(seen, call.function.c_str());
            return outcome;
        },
        [&] {
            if (!MayAct(reader.Request()))
                Broken("/quit acted without the request's address, origin and token");
            acted = true;
        });

    // The same site but for its token; it only ever screens.
    SiteSettings otherSettings = settings;
    otherSettings.token = OtherToken;
    const ServeSite otherSite(
        otherSettings, [](const PageCall&) -> std::optional<PageCallOutcome> { return std::nullopt; }, [] {});

    std::optional<HttpResponse> response;
    bool screened = false;
    for (size_t at = 0; at < length && !response; at += piece) {
        const HttpRequestReader::State state = reader.Feed(bytes + at, std::min(piece, length - at));
        if (state == HttpRequestReader::State::Head)
            continue;
        if (state == HttpRequestReader::State::Refused) {
            response = reader.Refusal();
            break;
        }
        if (!screened) {
            screened = true;
            if ((response = site.Screen(reader.Request())))
                break;
        }
        if (state == HttpRequestReader::State::Complete)
            response = site.Handle(reader.Request());
    }
    if (!response)
        return 0;  // the request is not whole: the listener would end it at its deadline

    if (std::string(StatusText(response->status)) == "Unknown")
        Broken("an answer has a status of no known meaning");
    if (response->status == 200 && reader.GetState() != HttpRequestReader::State::Complete)
        Broken("a request that was not whole was answered as done");
    // The reader's own refusals never see the token; the site's answer to another name must not use it.
    const std::string* host = reader.Request().Header("host");
    if (screened && (host == nullptr || *host != Authority)) {
        const std::optional<HttpResponse> other = otherSite.Screen(reader.Request());
        if (!other || other->status != response->status || other->body != response->body)
            Broken("an answer to a request addressed to another name depends on the token");
    }
    const std::string sent = WriteResponse(*response);
    const std::string lengthLine = "Content-Length: " + std::to_string(response->body.size()) + "\r\n";
    if (sent.find(lengthLine) == std::string::npos || sent.size() < response->body.size() ||
        sent.compare(sent.size() - response->body.size(), std::string::npos, response->body) != 0)
        Broken("an answer's length does not match its body");
    (void)acted;
    return 0;
}
