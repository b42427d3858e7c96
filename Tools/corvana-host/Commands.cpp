#include "Commands.hpp"

#include "Bench.hpp"
#include "Demo.hpp"
#include "Generate.hpp"
#include "ErrorNames.hpp"
#include "Model/ProjectFile.hpp"
#include "Options.hpp"
#include "Output.hpp"
#include "Serve.hpp"
#include "PageCall.hpp"
#include "Script.hpp"
#include "SimUtf8.hpp"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <sstream>

namespace CorvanaHost {
namespace {

void ExpectArgumentCount(const std::vector<std::string>& arguments, size_t count, const char* synopsis)
{
    if (arguments.size() != count)
        throw UsageError(std::string("usage: ") + synopsis);
}

CommandAction PrepareDump(const std::vector<std::string>& arguments)
{
    ExpectArgumentCount(arguments, 0, "dump");
    return [](CommandContext& context) {
        context.out << Sim::ProjectFile::ToText(context.session.GetHost().GetProject());
        return 0;
    };
}

CommandAction PrepareMenu(const std::vector<std::string>& arguments)
{
    ExpectArgumentCount(arguments, 2, "menu RES ITEM");
    auto menu = static_cast<short>(ParseInteger(arguments[0], 1, INT16_MAX, "RES"));
    auto item = static_cast<Int32>(ParseInteger(arguments[1], 1, INT32_MAX, "ITEM"));
    return [menu, item](CommandContext& context) {
        Sim::Host& host = context.session.GetHost();
        if (host.GetRegistry().menuHandlers.count(menu) == 0) {
            context.err << "corvana-host: no menu handler is installed for menu " << menu << "\n";
            return 1;
        }
        GSErrCode result = host.SelectMenu(menu, item);
        context.out << "menu " << menu << " item " << item << ": " << Sim::DescribeError(result) << "\n";
        return 0;
    };
}

struct PaletteMessageName {
    const char* name;
    API_PaletteMessageID id;
};
const PaletteMessageName paletteMessages[] = {
    {"close", APIPalMsg_ClosePalette},         {"hide-begin", APIPalMsg_HidePalette_Begin},
    {"hide-end", APIPalMsg_HidePalette_End},   {"disable-begin", APIPalMsg_DisableItems_Begin},
    {"disable-end", APIPalMsg_DisableItems_End}, {"open", APIPalMsg_OpenPalette},
    {"is-visible", APIPalMsg_IsPaletteVisible},
};

const char* PaletteMessageWord(API_PaletteMessageID id)
{
    for (const auto& message : paletteMessages)
        if (message.id == id)
            return message.name;
    return "?";
}

CommandAction PreparePalette(const std::vector<std::string>& arguments)
{
    ExpectArgumentCount(arguments, 2, "palette REF CODE");
    auto reference = static_cast<Int32>(ParseInteger(arguments[0], INT32_MIN, INT32_MAX, "REF"));
    API_PaletteMessageID message{};
    bool named = false;
    for (const auto& candidate : paletteMessages) {
        if (arguments[1] == candidate.name) {
            message = candidate.id;
            named = true;
        }
    }
    if (!named)
        message = static_cast<API_PaletteMessageID>(
            ParseInteger(arguments[1], APIPalMsg_ClosePalette, APIPalMsg_IsPaletteVisible, "CODE"));
    return [reference, message](CommandContext& context) {
        Sim::Host& host = context.session.GetHost();
        if (host.GetRegistry().FindWindow(reference) == nullptr) {
            context.err << "corvana-host: no modeless window has the reference number " << reference << "\n";
            return 1;
        }
        bool flag = false;
        GSErrCode result = host.SendPaletteMessage(reference, message, &flag);
        context.out << "palette " << reference << " message " << message << " (" << PaletteMessageWord(message)
                    << "): " << Sim::DescribeError(result) << "\n";
        if (message == APIPalMsg_IsPaletteVisible)
            context.out << "visible: " << (flag ? "true" : "false") << "\n";
        return 0;
    };
}

const char* const CallSynopsis = "call FUNCTION [--text S | --text-file F | --number N | --array S...]";

CommandAction PrepareCall(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || arguments[0].empty() || arguments[0][0] == '-')
        throw UsageError(std::string("usage: ") + CallSynopsis);
    const std::string function = arguments[0];
    PageArgument argument;
    if (arguments.size() > 1) {
        const std::string& option = arguments[1];
        if (option == "--array") {
            argument.kind = PageArgument::Texts;
            argument.texts.assign(arguments.begin() + 2, arguments.end());
        } else {
            if (arguments.size() != 3)
                throw UsageError(std::string("usage: ") + CallSynopsis);
            const std::string& value = arguments[2];
            if (option == "--text") {
                argument.kind = PageArgument::Text;
                argument.text = value;
            } else if (option == "--text-file") {
                std::ifstream in(Sim::PathFromUtf8(value), std::ios::binary);
                std::stringstream buffer;
                if (in)
                    buffer << in.rdbuf();
                if (!in || in.bad())
                    throw UsageError("--text-file: " + value + " cannot be read");
                argument.kind = PageArgument::Text;
                argument.text = buffer.str();
            } else if (option == "--number") {
                char* end = nullptr;
                const double number = std::strtod(value.c_str(), &end);
                if (value.empty() || end != value.c_str() + value.size() || !std::isfinite(number))
                    throw UsageError("--number takes a finite decimal number, not \"" + value + "\"");
                argument.kind = PageArgument::Number;
                argument.number = number;
            } else {
                throw UsageError("unknown argument \"" + option + "\" (" + CallSynopsis + ")");
            }
        }
    }
    return [function, argument](CommandContext& context) {
        ConsoleToStderr console(context.out);
        Sim::JsCallResult result = CallPage(context.session.GetHost(), function, argument);
        if (!result.called) {
            context.err << "corvana-host: " << result.problem << "\n";
            return 1;
        }
        console.Out() << ReplyText(result.reply) << "\n";
        return 0;
    };
}

CommandAction PrepareScript(const std::vector<std::string>& arguments)
{
    ExpectArgumentCount(arguments, 1, "script FILE");
    std::vector<ScriptStep> steps = ReadScript(arguments[0]);
    return [steps](CommandContext& context) { return RunScript(context, steps); };
}

}  // namespace

const std::vector<Command>& Commands()
{
    static const std::vector<Command> commands = {
        {"call", CallSynopsis, "call a function of the page's jsCorvanaInterface and print its reply",
         "Calls jsCorvanaInterface.FUNCTION once, as the catalogue page does, and prints its reply alone,\n"
         "followed by a newline: a string as its text, a number in decimal. The argument:\n"
         "  --text S        a JS string          --text-file F  a JS string with the file's bytes\n"
         "  --number N      a JS number          --array S...   a JS array of the remaining arguments\n"
         "  (none)          no argument at all\n"
         "Exit status 0 whenever the call returned, whatever it answered; 1 when the page has no such\n"
         "function; 2 for a usage error; 3 when the host could not start.\n",
         &PrepareCall},
        {"script", "script FILE", "run a JSON list of steps: page calls, answers, menus, user actions",
         "Runs the steps of FILE, a JSON list, in order, and prints one JSON line per step with what it\n"
         "returned and what the host showed (alerts, dialogs, debug lines, notifications). Steps:\n"
         "  {\"call\": F, \"text\"|\"textFile\"|\"number\"|\"array\": ...}   {\"answer\": BUTTON}\n"
         "  {\"dialog\": \"library\"|\"model\"|\"cancel\"}   {\"cancelProcess\": N}   {\"menu\": [RES, ITEM]}\n"
         "  {\"palette\": [REF, CODE]}   {\"open\": PATH}   {\"place\": ELEMENT}   {\"copy\": E}\n"
         "  {\"change\": E, \"fields\": {...}}   {\"edit\": E, \"offset\": [dx, dy, dz]}   {\"delete\": E}\n"
         "  {\"setIfcName\": E, \"name\": TEXT}   {\"undo\": true}   {\"redo\": true}\n"
         "E is a GUID or \"@N\", the element that step N placed or copied. A relative \"textFile\" is taken\n"
         "from the script's folder. See docs/corvana-host.md.\n"
         "Exit status 0 when every step was done, 1 when one was not, 2 for a script that cannot be read.\n",
         &PrepareScript},
        {"dump", "dump", "print the open project as JSON",
         "Prints the open project as JSON, exactly as --save would write it (see docs/project-file.md).\n",
         &PrepareDump},
        {"menu", "menu RES ITEM", "run a menu command of the add-on",
         "Chooses item ITEM (from 1) of the add-on's menu RES (its string resource number, for example\n"
         "32200 for the catalogue palette's menu) and prints what the menu handler answered:\n"
         "  menu 32200 item 1: NoError\n"
         "Exit status 1 when the add-on installed no handler for RES.\n",
         &PrepareMenu},
        {"palette", "palette REF CODE", "send a palette message to a modeless window",
         "Sends the palette message CODE to the add-on's modeless window with the reference number REF\n"
         "(listed at start-up) and prints the handler's answer. CODE is a number or a name:\n"
         "  1 close, 2 hide-begin, 3 hide-end, 4 disable-begin, 5 disable-end, 6 open, 7 is-visible\n"
         "For 7 the answer's flag follows on its own line: \"visible: true\" or \"visible: false\".\n"
         "Exit status 1 when no window has that reference number.\n",
         &PreparePalette},
        ServeCommand(),
        {"demo", "demo [--out DIR]", "import the sample catalogue items into the sample project",
         "Opens the sample project Examples/House.json (or the --project file), imports the sample items of\n"
         "Examples/payloads through the page's \"import\" in file-name order, asks \"updateStatus\" (with\n"
         "Examples/requests/update-status.json) and \"getCalculationData\", and prints what each import did,\n"
         "the calculation as tables (products, systems with their layers, curtain walls, stairs) and which\n"
         "elements carry catalogue properties. Writes project.json, calculation.json, replies.json,\n"
         "transcript.jsonl and log.txt into DIR (default out/demo). Exit status 1 when DIR cannot be written.\n",
         &PrepareDemo},
        GenerateCommand(),
        BenchCommand(),
    };
    return commands;
}

const Command* FindCommand(const std::string& name)
{
    for (const auto& command : Commands())
        if (name == command.name)
            return &command;
    return nullptr;
}

CommandAction ListingAction()
{
    return [](CommandContext& context) {
        PrintRegistrations(context.session, context.out);
        return 0;
    };
}

}  // namespace CorvanaHost
