// `corvana-host script FILE`: a session as a JSON list of steps (docs/corvana-host.md). The file is read and
// checked before the host starts, so a mistaken script never half runs.
#pragma once

#include "Commands.hpp"
#include "Model/ElementJson.hpp"
#include "PageCall.hpp"

#include <string>
#include <vector>

namespace CorvanaHost {

struct ScriptStep {
    std::string kind;  // the step's own member: "call", "answer", "place", ...
    std::string function;
    PageArgument argument;
    std::string text;    // answer, dialog, open, setIfcName
    Int64 first = 0;     // cancelProcess N; menu RES; palette REF
    Int64 second = 0;    // menu ITEM; palette CODE
    Sim::Json::Value element;  // place: the element; change: the fields
    std::string target;  // a GUID, or "@N": the element the Nth step placed or copied
    Sim::Model::Point3 offset;
};

// Throws UsageError "FILE: PLACE: PROBLEM".
std::vector<ScriptStep> ReadScript(const std::string& path);
// Runs the steps in order, one JSON line each on context.out; 0 when every step was done, 1 otherwise.
int RunScript(CommandContext& context, const std::vector<ScriptStep>& steps);

}  // namespace CorvanaHost
