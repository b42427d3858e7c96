#include "Serve.hpp"

#include "HostThreadQueue.hpp"
#include "Options.hpp"
#include "ServeCall.hpp"
#include "SimUtf8.hpp"

#include <httplib.h>

#include <sys/socket.h>

#include <algorithm>
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
constexpr const char* JsonType = "application/json; charset=utf-8";

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
// promise and forwards its one argument (or none) to /call.
std::string ScriptObjectsScript(const PageSetting& setting)
{
    std::ostringstream script;
    script << "// Made by corvana-host serve from the script objects the add-on registered.\n"
              "(function () {\n"
              "  function forward(object, name, args) {\n"
              "    const request = { object: object, function: name };\n"
              "    if (args.length > 0 && args[0] !== undefined) request.argument = args[0];\n"
              "    return fetch('/call', { method: 'POST', headers: { 'Content-Type': 'application/json' },\n"
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

bool IsServedPayloadName(const std::string& name)
{
    return !name.empty() && name.front() != '.' && name.find_first_of("/\\") == std::string::npos &&
           fs::path(name).extension() == ".json";
}

std::vector<std::string> PayloadNames(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (IsServedPayloadName(name) && it->is_regular_file(error))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Answer(httplib::Response& response, int status, const std::string& body)
{
    response.status = status;
    response.set_content(body, JsonType);
}

// The server's routes. Every handler runs on a server thread and touches only plain data; the one that
// needs the add-on goes through the queue.
void AddRoutes(httplib::Server& server, const ServeSettings& settings, const PageSetting& setting,
               HostThreadQueue& queue, Sim::UserInterface& ui)
{
    const std::string defaultObject = setting.objects.empty() ? std::string() : setting.objects.front().name;

    server.Post("/call", [&queue, &ui, defaultObject](const httplib::Request& request, httplib::Response& response) {
        std::string problem;
        std::optional<PageCall> call = ReadPageCall(request.body, &problem);
        if (!call)
            return Answer(response, 400, WriteError(problem));
        if (call->object.empty())
            call->object = defaultObject;
        PageCallOutcome outcome;
        if (!queue.RunOnHostThread([&] { outcome = CallOnHost(ui, *call); }))
            return Answer(response, 503, WriteError("the host is shutting down"));
        if (!outcome.called)
            return Answer(response, 404, WriteError(outcome.problem));
        Answer(response, 200, WriteReply(outcome.reply));
    });
    server.Post("/quit", [&queue](const httplib::Request&, httplib::Response& response) {
        queue.Stop();
        Answer(response, 200, "{\"quitting\":true}");
    });
    const std::string script = ScriptObjectsScript(setting);
    server.Get("/corvana-interface.js", [script](const httplib::Request&, httplib::Response& response) {
        response.set_content(script, "text/javascript; charset=utf-8");
    });
    const std::string payloads = settings.payloadFolder;
    server.Get("/payloads/", [payloads](const httplib::Request&, httplib::Response& response) {
        Answer(response, 200, Json(PayloadNames(payloads)).dump());
    });
    server.Get(R"(/payloads/(.+))", [payloads](const httplib::Request& request, httplib::Response& response) {
        const std::string name = request.matches[1].str();
        std::optional<std::string> text;
        if (IsServedPayloadName(name))
            text = ReadFile(fs::path(payloads) / name);
        if (!text)
            return Answer(response, 404, WriteError("no payload named " + Json(name).dump(-1, ' ', false, Json::error_handler_t::replace)));
        response.set_content(*text, JsonType);
    });
    server.set_mount_point("/", settings.pageFolder);
}

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void OnStopSignal(int) { stopSignal = 1; }

// SIGINT and SIGTERM end the serving loop instead of the process, so that --save still runs.
class StopSignals {
public:
    StopSignals()
    {
        stopSignal = 0;
        struct sigaction action {};
        action.sa_handler = &OnStopSignal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &previousInt_);
        sigaction(SIGTERM, &action, &previousTerm_);
    }
    ~StopSignals()
    {
        sigaction(SIGINT, &previousInt_, nullptr);
        sigaction(SIGTERM, &previousTerm_, nullptr);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    static bool Received() { return stopSignal != 0; }

private:
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
};

int Serve(const ServeSettings& settings, CommandContext& context)
{
    if (!fs::is_regular_file(fs::path(settings.pageFolder) / "index.html")) {
        context.err << "corvana-host: the test page is missing: no index.html in " << settings.pageFolder << "\n";
        return 1;
    }
    Sim::UserInterface& ui = context.session.GetHost().FamilyState<Sim::UserInterface>();
    const PageSetting setting = ReadPageSetting(ui);
    if (setting.objects.empty()) {
        context.err << "corvana-host: no palette's page has a script object to serve\n";
        return 1;
    }

    HostThreadQueue queue;
    httplib::Server server;
    server.set_payload_max_length(64 * 1024 * 1024);
    // Each worker thread would otherwise stay with an idle kept-alive connection for seconds, while new
    // connections (a browser opens several) wait for a free worker, and stopping waits for them too.
    server.set_keep_alive_max_count(1);
    // The library's default also sets SO_REUSEPORT, with which a second server would silently share the
    // port with this one; only a port left in TIME_WAIT is taken over.
    server.set_socket_options([](socket_t socket) {
        int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    });
    AddRoutes(server, settings, setting, queue, ui);

    int port = settings.port;
    if (port == 0)
        port = server.bind_to_any_port(ListenAddress);
    else if (!server.bind_to_port(ListenAddress, port))
        port = -1;
    if (port <= 0) {
        context.err << "corvana-host: cannot listen on " << ListenAddress << ":" << settings.port << "\n";
        return 1;
    }

    const std::string base = "http://" + std::string(ListenAddress) + ":" + std::to_string(port) + "/";
    context.out << "Serving the Corvana palette on " << base << "\n";
    for (const std::string& url : setting.browserUrls)
        context.out << "  the palette's page " << url << " is the test page at " << base << "\n";
    context.out.flush();

    StopSignals signals;
    std::thread listener([&server, &queue] {
        server.listen_after_bind();
        queue.Stop();
    });
    queue.Run(&StopSignals::Received, std::chrono::milliseconds(100));
    server.stop();
    listener.join();
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
        "Runs until SIGINT, SIGTERM or POST /quit; then --save writes the project.\n",
        &PrepareServe};
    return command;
}

}  // namespace CorvanaHost
