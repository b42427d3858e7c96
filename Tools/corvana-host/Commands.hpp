// The commands of corvana-host. Each one first reads its own arguments (before the host starts, so that a
// usage error never starts the add-on) and gives back the action to run in the started session.
// A new command is one entry in the table of Commands.cpp: its name, synopsis, help and preparation.
#pragma once

#include "Session.hpp"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace CorvanaHost {

struct CommandContext {
    Sim::Session& session;
    std::ostream& out;
    std::ostream& err;
};

// Runs in the started session; returns the exit status.
using CommandAction = std::function<int(CommandContext&)>;

struct Command {
    const char* name;
    const char* synopsis;  // "menu RES ITEM"
    const char* summary;   // one line for the general help
    const char* help;      // what `COMMAND --help` prints after the synopsis
    // Reads the command's arguments; throws UsageError.
    CommandAction (*prepare)(const std::vector<std::string>& arguments);
};

const std::vector<Command>& Commands();
const Command* FindCommand(const std::string& name);

// What runs without a command: the start-up listing of what the add-on registered.
CommandAction ListingAction();

}  // namespace CorvanaHost
