#include "Bench.hpp"

#include "Host.hpp"
#include "Model/ModelVisits.hpp"
#include "Options.hpp"
#include "PageCall.hpp"
#include "SimUtf8.hpp"
#include "System/Process.hpp"

#include <nlohmann/json.hpp>


#include <chrono>
#include <cstdint>
#include <fstream>
#include <ostream>
#include <sstream>

namespace CorvanaHost {
namespace {

const char* const BenchSynopsis = "bench FUNCTION [--text-file F] [--reply FILE]";

struct BenchSettings {
    std::string function;
    PageArgument argument;
    std::string replyFile;
};

int Bench(const BenchSettings& settings, CommandContext& context)
{
    Sim::Host& host = context.session.GetHost();
    const std::map<std::string, long> before = host.GetFaults().CallCounts();
    ConsoleToStderr console(context.out);
    const std::uint64_t visitsBefore = Sim::Model::ModelVisits();
    const auto start = std::chrono::steady_clock::now();
    const Sim::JsCallResult result = CallPage(host, settings.function, settings.argument);
    const auto end = std::chrono::steady_clock::now();
    const std::uint64_t visits = Sim::Model::ModelVisits() - visitsBefore;
    if (!result.called) {
        context.err << "corvana-host: " << result.problem << "\n";
        return 1;
    }
    long calls = 0;
    for (const auto& [name, count] : host.GetFaults().CallCounts()) {
        auto earlier = before.find(name);
        calls += count - (earlier == before.end() ? 0 : earlier->second);
    }
    const std::string reply = ReplyText(result.reply);
    if (!settings.replyFile.empty()) {
        std::ofstream out(Sim::PathFromUtf8(settings.replyFile), std::ios::binary);
        out << reply << "\n";
        if (!out)
            context.err << "corvana-host: " << settings.replyFile << " cannot be written\n";
    }
    nlohmann::ordered_json line = {{"function", settings.function},
                                   {"seconds", std::chrono::duration<double>(end - start).count()},
                                   {"peakMemoryKB", Sim::System::PeakMemoryKilobytes()},
                                   {"hostCalls", calls},
                                   {"modelVisits", visits},
                                   {"replyBytes", reply.size()}};
    console.Out() << line.dump() << "\n";
    return 0;
}

CommandAction PrepareBench(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || arguments[0].empty() || arguments[0][0] == '-')
        throw UsageError(std::string("usage: ") + BenchSynopsis);
    BenchSettings settings;
    settings.function = arguments[0];
    for (size_t i = 1; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size())
            throw UsageError(arguments[i] + " needs a value (" + BenchSynopsis + ")");
        if (arguments[i] == "--text-file") {
            std::ifstream in(Sim::PathFromUtf8(arguments[i + 1]), std::ios::binary);
            std::stringstream buffer;
            buffer << in.rdbuf();
            if (!in)
                throw UsageError("--text-file: " + arguments[i + 1] + " cannot be read");
            settings.argument.kind = PageArgument::Text;
            settings.argument.text = buffer.str();
        } else if (arguments[i] == "--reply") {
            settings.replyFile = arguments[i + 1];
        } else {
            throw UsageError("unknown argument \"" + arguments[i] + "\" (" + BenchSynopsis + ")");
        }
    }
    return [settings](CommandContext& context) { return Bench(settings, context); };
}

}  // namespace

Command BenchCommand()
{
    return {"bench", BenchSynopsis, "measure one page call: time, peak memory, host calls",
            "Calls jsCorvanaInterface.FUNCTION once (with the text of F, or no argument) and prints one JSON\n"
            "line: {\"function\", \"seconds\" (wall time of the call), \"peakMemoryKB\" (the process's peak\n"
            "resident memory, the open project included), \"hostCalls\" (host functions called during the\n"
            "call), \"modelVisits\" (stored entries the simulated model's queries looked at during the call: a\n"
            "count that is the same on every run), \"replyBytes\"}. --reply FILE also writes the reply there. Exit status as for call.\n",
            &PrepareBench};
}

}  // namespace CorvanaHost
