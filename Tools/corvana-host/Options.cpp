#include "Options.hpp"

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <map>

namespace CorvanaHost {

Int64 ParseInteger(const std::string& text, Int64 min, Int64 max, const std::string& what)
{
    errno = 0;
    char* end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || end != text.c_str() + text.size() || errno == ERANGE || value < min || value > max)
        throw UsageError(what + " must be a whole number from " + std::to_string(min) + " to " + std::to_string(max) +
                         ", not \"" + text + "\"");
    return value;
}

UInt64 ParseUnsigned(const std::string& text, const std::string& what)
{
    errno = 0;
    char* end = nullptr;
    unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || text[0] == '-' || text[0] == '+' || end != text.c_str() + text.size() || errno == ERANGE)
        throw UsageError(what + " must be a whole number from 0 to 18446744073709551615, not \"" + text + "\"");
    return value;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    GlobalOptions& o = line.options;
    using Setter = std::function<void(const std::string&)>;
    const std::map<std::string, Setter> valued = {
        {"--project", [&o](const std::string& v) { o.project = v; }},
        {"--save", [&o](const std::string& v) { o.save = v; }},
        {"--home", [&o](const std::string& v) { o.home = v; }},
        {"--lang", [&o](const std::string& v) {
             if (v.empty())
                 throw UsageError("--lang needs a language code such as INT or GER");
             o.language = v;
         }},
        {"--answer", [&o](const std::string& v) { o.answers.push_back(v); }},
        {"--dialog", [&o](const std::string& v) {
             if (v != "library" && v != "model" && v != "cancel")
                 throw UsageError("--dialog takes library, model or cancel, not \"" + v + "\"");
             o.dialog = v;
         }},
        {"--cancel-process", [&o](const std::string& v) {
             o.cancelProcess = static_cast<Int32>(ParseInteger(v, 1, INT32_MAX, "--cancel-process"));
         }},
        {"--seed", [&o](const std::string& v) { o.seed = ParseUnsigned(v, "--seed"); }},
        {"--transcript", [&o](const std::string& v) { o.transcript = v; }},
        {"--calls", [&o](const std::string& v) { o.calls = v; }},
        {"--addon", [&o](const std::string& v) { o.addon = v; }},
    };

    size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            line.help = true;
            continue;
        }
        if (arg.rfind("-", 0) != 0 || arg == "-")
            break;  // the command
        std::string name = arg;
        std::string value;
        bool inlineValue = false;
        if (auto equals = arg.find('='); arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
            inlineValue = true;
        }
        auto option = valued.find(name);
        if (option == valued.end())
            throw UsageError("unknown option \"" + name + "\"");
        if (!inlineValue) {
            if (i + 1 >= args.size())
                throw UsageError(name + " needs a value");
            value = args[++i];
        }
        option->second(value);
    }
    if (i < args.size()) {
        line.command = args[i];
        line.arguments.assign(args.begin() + static_cast<long>(i) + 1, args.end());
    }
    return line;
}

}  // namespace CorvanaHost
