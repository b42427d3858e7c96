// What corvana-host prints for people: the add-on's registrations with their resource texts, results of
// host calls, and the help texts.
#pragma once

#include "Session.hpp"

#include <iosfwd>

namespace CorvanaHost {

struct Command;

// The service, menus (with their texts from the add-on's resources), file types, modeless windows and
// handlers the add-on registered, and the open project in one line.
void PrintRegistrations(Sim::Session& session, std::ostream& out);

void PrintGeneralHelp(std::ostream& out);
void PrintCommandHelp(const Command& command, std::ostream& out);

}  // namespace CorvanaHost
