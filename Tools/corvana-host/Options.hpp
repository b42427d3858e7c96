// The command line: global options (before the command), the command and its own arguments.
#pragma once

#include "Definitions.hpp"

#include <stdexcept>
#include <string>
#include <vector>

namespace CorvanaHost {

// A command line that cannot be taken; the run ends with exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct GlobalOptions {
    std::string project;
    std::string save;
    std::string home;
    std::string language = "INT";
    std::vector<std::string> answers;
    std::string dialog;          // library, model or cancel; empty: accepted as it is
    Int32 cancelProcess = 0;     // 0: never
    UInt64 seed = 1;
    std::string transcript;
    std::string calls;           // where the host call counts are written as JSON; empty: nowhere
    std::string addon;
};

struct CommandLine {
    GlobalOptions options;
    bool help = false;                 // --help before any command
    std::string command;               // empty: start and list what the add-on registered
    std::vector<std::string> arguments;  // everything after the command
};

// Throws UsageError naming the option and what is wrong with it.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// Whole decimal numbers, for options and command arguments; throw UsageError naming `what`.
Int64 ParseInteger(const std::string& text, Int64 min, Int64 max, const std::string& what);
UInt64 ParseUnsigned(const std::string& text, const std::string& what);

}  // namespace CorvanaHost
