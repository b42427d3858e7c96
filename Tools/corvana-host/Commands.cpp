#include "Commands.hpp"

#include "Demo.hpp"
#include "ErrorNames.hpp"
#include "Model/ProjectFile.hpp"
#include "Options.hpp"
#include "Output.hpp"

#include <ostream>

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

}  // namespace

const std::vector<Command>& Commands()
{
    static const std::vector<Command> commands = {
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
        {"demo", "demo [--out DIR]", "import the sample catalogue items into the sample project",
         "Opens the sample project Examples/House.json (or the --project file), imports the sample items of\n"
         "Examples/payloads through the page's \"import\" in file-name order, asks \"updateStatus\" (with\n"
         "Examples/requests/update-status.json) and \"getCalculationData\", and prints what each import did\n"
         "and which elements carry catalogue properties. Writes project.json, calculation.json, replies.json,\n"
         "transcript.jsonl and log.txt into DIR (default out/demo). Exit status 1 when DIR cannot be written.\n",
         &PrepareDemo},
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
