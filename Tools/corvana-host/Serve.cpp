#include "Serve.hpp"

#include "HostThreadQueue.hpp"
#include "Options.hpp"
#include "ServeCall.hpp"
#include "ServeListener.hpp"
#include "ServeSite.hpp"
#include "SimUtf8.hpp"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <thread>

namespace CorvanaHost {
namespace {
using namespace Http;

namespace fs = std::filesystem;
using Json = nlohmann::json;

constexpr int DefaultPort = 8420;
constexpr const char* ListenAddress = "127.0.0.1";
// The debug output one call may leave in the host (see Sim::Host::SetDebugWindow).
constexpr std::size_t DebugWindowBytes = 64 * 1024;

struct ServeSettings {
    int port = DefaultPort;
    std::string pageFolder = std::string(CORVANA_SOURCE_DIR) + "/Tools/corvana-host/page";
    std::string payloadFolder = std::string(CORVANA_SOURCE_DIR) + "/Examples/payloads";
};

// The script objects the add-on registered on its palettes' browsers, read once on the host thread so
// that the server threads serve them from plain data.
struct ScriptObject {
    std::string name;
    std::vector<std::string> functions;
};

struct PageSetting {
    std::vector<ScriptObject> objects;
    std::vector<std::string> browserUrls;
};

PageSetting ReadPageSetting(Sim::UserInterface& ui)
{
    PageSetting setting;
    for (const Sim::PanelState* panel : ui.Panels()) {
        for (const Sim::ItemState& item : panel->items) {
            if (item.kind != "Browser" || item.url.empty())
                continue;
            setting.browserUrls.push_back(item.url);
            for (const GS::Ref<JS::Object>& object : item.scriptObjects) {
                ScriptObject read{Sim::Utf8(object->GetName()), {}};
                for (const auto& member : object->GetItemTable().Values())
                    if (GS::Ref<JS::Function> function = GS::DynamicCast<JS::Function>(member); function != nullptr)
                        read.functions.push_back(Sim::Utf8(function->GetName()));
                setting.objects.push_back(std::move(read));
            }
        }
    }
    return setting;
}

// The script that gives the page its objects, as the host's browser does: every function answers a
// promise and forwards its one argument (or none) to /call, with the token the page was served with. The
// token is read from the page at each call, never written into this script: a page of another origin may
// run the script, but cannot read the page.
std::string ScriptObjectsScript(const PageSetting& setting)
{
    std::ostringstream script;
    script << "// Made by corvana-host serve from the script objects the add-on registered.\n"
              "(function () {\n"
              "  function token() {\n"
              "    const meta = document.querySelector('meta[name=\"corvana-token\"]');\n"
              "    return meta ? meta.content : '';\n"
              "  }\n"
              "  function forward(object, name, args) {\n"
              "    const request = { object: object, function: name };\n"
              "    if (args.length > 0 && args[0] !== undefined) request.argument = args[0];\n"
              "    return fetch('/call', { method: 'POST',\n"
              "                            headers: { 'Content-Type': 'application/json', 'X-Corvana-Token': token() },\n"
              "                            body: JSON.stringify(request) })\n"
              "      .then(function (response) {\n"
              "        return response.json().then(function (body) {\n"
              "          if (!response.ok) throw new Error(body.error || response.statusText);\n"
              "          return body.reply === null ? undefined : body.reply;\n"
              "        });\n"
              "      });\n"
              "  }\n";
    for (const ScriptObject& object : setting.objects) {
        const std::string name = Json(object.name).dump();
        script << "  window[" << name << "] = {\n";
        for (const std::string& function : object.functions) {
            const std::string quoted = Json(function).dump();
            script << "    " << quoted << ": function () { return forward(" << name << ", " << quoted
                   << ", arguments); },\n";
        }
        script << "  };\n";
    }
    script << "})();\n";
    return script.str();
}

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void OnStopSignal(int) { stopSignal = 1; }

// SIGINT and SIGTERM end the serving loop instead of the process, so that --save still runs. Windows's
// run-time knows signal() only; it raises SIGINT for Ctrl+C.
class StopSignals {
public:
    StopSignals()
    {
        stopSignal = 0;
#if defined(_WIN32)
        previousInt_ = std::signal(SIGINT, &OnStopSignal);
        previousTerm_ = std::signal(SIGTERM, &OnStopSignal);
#else
        struct sigaction action {};
        action.sa_handler = &OnStopSignal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &previousInt_);
        sigaction(SIGTERM, &action, &previousTerm_);
#endif
    }
    ~StopSignals()
    {
#if defined(_WIN32)
        std::signal(SIGINT, previousInt_);
        std::signal(SIGTERM, previousTerm_);
#else
        sigaction(SIGINT, &previousInt_, nullptr);
        sigaction(SIGTERM, &previousTerm_, nullptr);
#endif
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    static bool Received() { return stopSignal != 0; }

private:
#if defined(_WIN32)
    void (*previousInt_)(int) = SIG_DFL;
    void (*previousTerm_)(int) = SIG_DFL;
#else
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
#endif
};

int Serve(const ServeSettings& settings, CommandContext& context)
{
    const fs::path index = Sim::PathFromUtf8(settings.pageFolder) / "index.html";
    std::ifstream indexFile(index, std::ios::binary);
    std::ostringstream indexText;
    indexText << indexFile.rdbuf();
    if (!fs::is_regular_file(index) || indexText.str().find(TokenPlaceholder) == std::string::npos) {
        context.err << "corvana-host: the test page is missing: no index.html with a place for the token ("
                    << TokenPlaceholder << ") in " << settings.pageFolder << "\n";
        return 1;
    }
    Sim::UserInterface& ui = context.session.GetHost().FamilyState<Sim::UserInterface>();
    const PageSetting setting = ReadPageSetting(ui);
    if (setting.objects.empty()) {
        context.err << "corvana-host: no palette's page has a script object to serve\n";
        return 1;
    }

    HostThreadQueue queue;
    ServeListener listener;
    std::string problem;
    const int port = listener.Bind(settings.port, &problem);
    if (port <= 0) {
        context.err << "corvana-host: cannot listen on " << ListenAddress << ":" << settings.port << ": " << problem
                    << "\n";
        return 1;
    }

    SiteSettings site;
    site.authority = std::string(ListenAddress) + ":" + std::to_string(port);
    site.token = ServeSite::NewToken();
    site.pageFolder = settings.pageFolder;
    site.payloadFolder = settings.payloadFolder;
    site.interfaceScript = ScriptObjectsScript(setting);
    site.defaultObject = setting.objects.front().name;
    // A session may take any number of calls: the host keeps the debug output of one call, within a
    // window, and the transcript only when a file was asked for.
    Sim::Host& host = context.session.GetHost();
    host.SetDebugWindow(DebugWindowBytes);
    const bool keepTranscript = !context.session.Options().transcriptFile.empty();
    const ServeSite served(
        site,
        [&queue, &ui, &host, keepTranscript](const PageCall& call) -> std::optional<PageCallOutcome> {
            PageCallOutcome outcome;
            if (!queue.RunOnHostThread([&] {
                    host.ClearDebugText();
                    if (!keepTranscript)
                        host.GetTranscript().Clear();
                    outcome = CallOnHost(ui, call);
                }))
                return std::nullopt;
            return outcome;
        },
        [&queue] { queue.Stop(); });

    const std::string base = "http://" + site.authority + "/";
    context.out << "Serving the Corvana palette on " << base << "\n";
    for (const std::string& url : setting.browserUrls)
        context.out << "  the palette's page " << url << " is the test page at " << base << "\n";
    context.out.flush();

    StopSignals signals;
    std::thread serving([&listener, &served, &queue] {
        listener.Run(served);
        queue.Stop();
    });
    queue.Run(&StopSignals::Received, std::chrono::milliseconds(100));
    listener.Stop();
    serving.join();
    context.out << "Stopped serving\n";
    return 0;
}

CommandAction PrepareServe(const std::vector<std::string>& arguments)
{
    ServeSettings settings;
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::string value;
        bool hasValue = false;
        if (auto equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            hasValue = true;
        } else if (i + 1 < arguments.size() && (name == "--port" || name == "--payloads")) {
            value = arguments[++i];
            hasValue = true;
        }
        if (name == "--port" && hasValue)
            settings.port = static_cast<int>(ParseInteger(value, 0, 65535, "--port"));
        else if (name == "--payloads" && hasValue)
            settings.payloadFolder = value;
        else if (name == "--port" || name == "--payloads")
            throw UsageError(name + " needs a value");
        else
            throw UsageError("usage: serve [--port N] [--payloads DIR]");
    }
    return [settings](CommandContext& context) { return Serve(settings, context); };
}

}  // namespace

const Command& ServeCommand()
{
    static const Command command{
        "serve", "serve [--port N] [--payloads DIR]", "serve the catalogue palette to a web browser",
        "Serves the catalogue palette on http://127.0.0.1:N/ (default 8420; 0 picks a free port) and prints\n"
        "  Serving the Corvana palette on http://127.0.0.1:N/\n"
        "The page at / is a catalogue test page in place of the web application; it gets the script\n"
        "objects the add-on registered (jsCorvanaInterface), whose functions answer promises and run each\n"
        "call on the host thread. POST /call {\"function\": NAME, \"argument\": VALUE} is that call over HTTP;\n"
        "/payloads/ lists the JSON files of DIR (default Examples/payloads) for the page.\n"
        "Only requests addressed to 127.0.0.1:N and not from a page of another origin are answered; /call\n"
        "and /quit need the header X-Corvana-Token with the token written into the page at /.\n"
        "Runs until SIGINT, SIGTERM or POST /quit; then --save writes the project.\n",
        &PrepareServe};
    return command;
}

}  // namespace CorvanaHost
