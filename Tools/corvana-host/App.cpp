#include "App.hpp"

#include "Commands.hpp"
#include "Options.hpp"
#include "Output.hpp"
#include "Host.hpp"
#include "Session.hpp"
#include "SimUtf8.hpp"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <ostream>

namespace CorvanaHost {
namespace {

constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;
constexpr int ExitNoStart = 3;

int UsageFailure(const std::string& message, std::ostream& err)
{
    err << "corvana-host: " << message << "\n" << "Try 'corvana-host --help'.\n";
    return ExitUsage;
}

Sim::SessionOptions ToSessionOptions(const GlobalOptions& options, std::ostream& err)
{
    Sim::SessionOptions session;
    session.host.language = options.language;
    session.host.seed = options.seed;
    session.host.home = options.home;
    session.host.dialogChoice = options.dialog;
    session.host.cancelProcessAt = options.cancelProcess;
    session.modulePath = options.addon.empty()
                             ? Sim::PathUtf8(Sim::PathFromUtf8(Sim::HostLibraryFolder()) / CORVANA_DEFAULT_MODULE)
                             : options.addon;
    session.projectFile = options.project;
    session.alertAnswers = options.answers;
    session.transcriptFile = options.transcript;
    session.onUnansweredAlert = [&err](const std::string& note) { err << "corvana-host: " << note << "\n"; };
    return session;
}

// {"ACAPI_Name": count, ...} in name order: every host function called since the host started.
bool WriteCallCounts(Sim::Host& host, const std::string& path, std::string* error)
{
    nlohmann::ordered_json counts = nlohmann::ordered_json::object();
    for (const auto& [name, count] : host.GetFaults().CallCounts())
        counts[name] = count;
    std::ofstream file(Sim::PathFromUtf8(path), std::ios::binary);
    file << counts.dump(2) << "\n";
    if (!file) {
        *error = "the call counts cannot be written to " + path;
        return false;
    }
    return true;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CommandLine line;
    CommandAction action;
    try {
        line = ParseCommandLine(args);
        if (line.help) {
            PrintGeneralHelp(out);
            return 0;
        }
        if (line.command.empty()) {
            action = ListingAction();
        } else {
            const Command* command = FindCommand(line.command);
            if (command == nullptr)
                throw UsageError("unknown command \"" + line.command + "\"");
            if (!line.arguments.empty() && (line.arguments[0] == "--help" || line.arguments[0] == "-h")) {
                PrintCommandHelp(*command, out);
                return 0;
            }
            action = command->prepare(line.arguments);
        }
    } catch (const UsageError& e) {
        return UsageFailure(e.what(), err);
    }

    Sim::Session session(ToSessionOptions(line.options, err));
    std::string error;
    if (!session.Start(&error)) {
        err << "corvana-host: " << error << "\n";
        std::string finishError;
        if (!session.Finish(&finishError))
            err << "corvana-host: " << finishError << "\n";
        return ExitNoStart;
    }

    CommandContext context{session, out, err};
    int status = action(context);
    out.flush();

    if (!line.options.calls.empty() && !WriteCallCounts(session.GetHost(), line.options.calls, &error)) {
        err << "corvana-host: " << error << "\n";
        status = status != 0 ? status : ExitFailed;
    }

    if (!line.options.save.empty() && !session.SaveProject(line.options.save, &error)) {
        err << "corvana-host: the project is not saved: " << error << "\n";
        status = status != 0 ? status : ExitFailed;
    }
    if (!session.Finish(&error)) {
        err << "corvana-host: " << error << "\n";
        status = status != 0 ? status : ExitFailed;
    }
    return status;
}

}  // namespace CorvanaHost
