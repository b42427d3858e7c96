#include "Output.hpp"

#include "Commands.hpp"
#include "SimUtf8.hpp"

#include <cstdio>
#include <ostream>

namespace CorvanaHost {
namespace {

std::string Hex(UInt32 value, int digits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%0*X", digits, value);
    return buffer;
}

// A four-character code as its letters, leaving out zero bytes: 'QRV'.
std::string FourChars(GSType code)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = static_cast<char>((code >> shift) & 0xFF);
        if (c != 0)
            text += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return "'" + text + "'";
}

const char* Installed(bool installed) { return installed ? "handler installed" : "no handler"; }

// One string of a string-list resource of the add-on; empty when there is none.
std::string ResourceString(Sim::Host& host, Int32 resID, Int32 index)
{
    const Sim::ResourceSet* resources = host.ResourceModule(host.AddOnResModule());
    const std::vector<std::string>* list = resources != nullptr ? resources->Strings(resID) : nullptr;
    if (list == nullptr || index < 1 || static_cast<size_t>(index) > list->size())
        return {};
    return (*list)[static_cast<size_t>(index) - 1];
}

void PrintMenus(Sim::Host& host, std::ostream& out)
{
    const Sim::Registry& registry = host.GetRegistry();
    out << "Menus:\n";
    if (registry.menus.empty())
        out << "  (none)\n";
    for (const auto& menu : registry.menus) {
        auto handler = registry.menuHandlers.find(menu.menuResID);
        bool installed = handler != registry.menuHandlers.end() && handler->second != nullptr;
        const Sim::ResourceSet* resources = host.ResourceModule(host.AddOnResModule());
        const std::vector<std::string>* texts = resources != nullptr ? resources->Strings(menu.menuResID) : nullptr;
        out << "  " << menu.menuResID << "  \"" << (texts != nullptr && !texts->empty() ? (*texts)[0] : "")
            << "\"  (prompt " << menu.promptResID << ", position " << menu.positionCode << ", flags " << menu.flags
            << ", " << Installed(installed) << ")\n";
        if (texts == nullptr) {
            out << "      (no string resource " << menu.menuResID << ")\n";
            continue;
        }
        // The first string is the menu's title, the others its items; what follows a caret is the host's
        // menu syntax (enabling and icon), shown apart from the text.
        for (size_t i = 1; i < texts->size(); ++i) {
            const std::string& text = (*texts)[i];
            size_t caret = text.find('^');
            out << "    item " << i << "  " << text.substr(0, caret);
            if (caret != std::string::npos)
                out << "  [" << text.substr(caret) << "]";
            out << "\n";
        }
    }
}

void PrintFileTypes(Sim::Host& host, std::ostream& out)
{
    const Sim::Registry& registry = host.GetRegistry();
    out << "File types:\n";
    if (registry.fileTypes.empty())
        out << "  (none)\n";
    for (const auto& type : registry.fileTypes) {
        auto handler = registry.fileTypeHandlers.find(type.refCon);
        bool installed = handler != registry.fileTypeHandlers.end() && handler->second != nullptr;
        // Item 0 is taken as the list's first string, the only one a one-string list has.
        Int32 item = type.descStrResItemID > 0 ? type.descStrResItemID : 1;
        std::string description = ResourceString(host, type.descStrResID, item);
        out << "  ref " << type.refCon << "  ." << type.extension << "  \""
            << (description.empty() ? "(no description)" : description) << "\"  (string " << type.descStrResID
            << " item " << type.descStrResItemID << ", action flags " << type.actionFlags << ", "
            << Installed(installed) << ")\n";
    }
}

void PrintWindows(Sim::Host& host, std::ostream& out)
{
    const Sim::Registry& registry = host.GetRegistry();
    out << "Modeless windows:\n";
    if (registry.windows.empty())
        out << "  (none)\n";
    for (const auto& window : registry.windows)
        out << "  reference " << window.referenceID << "  GUID " << Sim::Utf8(APIGuidToString(window.guid))
            << "  (control flags " << window.controlFlags << ", " << Installed(window.callback != nullptr) << ")\n";
}

void PrintHandlers(Sim::Host& host, std::ostream& out)
{
    const Sim::Registry& registry = host.GetRegistry();
    out << "Handlers:\n";
    out << "  project events: "
        << (registry.projectEventHandler != nullptr ? "mask " + Hex(static_cast<UInt32>(registry.projectEventMask), 4)
                                                    : std::string("none"))
        << "\n";
    out << "  new elements: " << (registry.newElementHandler != nullptr ? "installed" : "none") << "\n";
    out << "  element observer: " << (registry.elementObserver != nullptr ? "installed" : "none") << "\n";
    out << "  kept in memory: " << (registry.keepInMemory ? "yes" : "no") << "\n";
}

}  // namespace

void PrintRegistrations(Sim::Session& session, std::ostream& out)
{
    Sim::Host& host = session.GetHost();
    const Sim::Registry& registry = host.GetRegistry();
    if (Sim::AddOnModule* module = session.Module()) {
        const API_AddOnInfo& info = module->Environment().addOnInfo;
        out << "Add-on: " << Sim::Utf8(info.name) << " (" << Sim::Utf8(info.description) << ")\n";
        out << "  file: " << session.Options().modulePath << "\n";
        out << "  type: " << session.ModuleStart().addonType
            << (session.ModuleStart().addonType == APIAddon_Preload ? " (pre-load: loaded at start-up, kept resident)" : "")
            << "\n";
    }
    if (registry.service)
        out << "Service: " << FourChars(registry.service->first) << " ("
            << Hex(registry.service->first, 8) << "), version " << registry.service->second << "\n";
    else
        out << "Service: none\n";
    PrintMenus(host, out);
    PrintFileTypes(host, out);
    PrintWindows(host, out);
    PrintHandlers(host, out);
    const Sim::Project& project = host.GetProject();
    out << "Project: " << project.DisplayName() << (project.info.name.empty() ? " (never saved)" : "") << ", "
        << project.attributes.buildingMaterials.Size() << " building materials, "
        << project.attributes.composites.Size() << " composites\n";
}

void PrintGeneralHelp(std::ostream& out)
{
    out << "usage: corvana-host [OPTION...] [COMMAND [ARG...]]\n"
           "\n"
           "The simulated Archicad 27 with the Corvana add-on loaded. It loads the add-on, calls its entry\n"
           "points as the host does, opens the project and the catalogue palette (menu 32200 item 1), runs\n"
           "the command, saves the project when asked and unloads the add-on. Without a command it lists\n"
           "what the add-on registered.\n"
           "\n"
           "Options (before the command):\n"
           "  --project FILE        open this project file (default: a new project, \"Untitled\")\n"
           "  --save FILE           after the command, save the project to FILE (atomically)\n"
           "  --home DIR            root of the special folders: DIR/Documents (6), DIR/Temp (7),\n"
           "                        DIR/Programs (38); created when missing (default: a fresh temporary\n"
           "                        folder, removed at the end)\n"
           "  --lang CODE           the host's language code (default INT; GER for German)\n"
           "  --answer TEXT         answer the next alert with the button TEXT; repeatable, used in order;\n"
           "                        with none left an alert gets its first button and stderr says so\n"
           "  --dialog CHOICE       answer the bulk import settings dialog: library, model or cancel\n"
           "  --cancel-process N    cancel the process window at its Nth cancel check\n"
           "  --seed N              seed of the GUID generator (default 1)\n"
           "  --transcript FILE     write what the host showed and did as JSON lines\n"
           "  --calls FILE          write how often the add-on called each host function, as JSON\n"
           "  --addon FILE          load this add-on instead of the one built beside the host\n"
           "  --help                this text; COMMAND --help describes one command\n"
           "\n"
           "Commands:\n";
    for (const auto& command : Commands()) {
        std::string synopsis = command.synopsis;
        out << "  " << synopsis << std::string(synopsis.size() < 22 ? 22 - synopsis.size() : 1, ' ')
            << command.summary << "\n";
    }
    out << "\n"
           "Exit status: 0 the command ran; 1 it could not do its work (or the project or transcript could\n"
           "not be written); 2 usage error; 3 the host could not start (the add-on failed to start or the\n"
           "project file was refused).\n";
}

void PrintCommandHelp(const Command& command, std::ostream& out)
{
    out << "usage: corvana-host [OPTION...] " << command.synopsis << "\n\n" << command.help;
}

}  // namespace CorvanaHost
