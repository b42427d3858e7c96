// One call of the page's script object as it travels over HTTP: read from the request body on a server
// thread into plain data, made into the host's script values and run on the host thread, and its reply
// written back as plain data. Nothing here but CallOnHost touches the host.
#pragma once

#include "UserInterface.hpp"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace CorvanaHost::Http {

// What the page passed, with its JS type: the host's browser hands these four shapes to a function.
struct PageArgument {
    enum Kind { None, Text, Number, TextList };
    Kind kind = None;
    std::string text;
    nlohmann::json number;  // an integer or a floating-point JSON number, as the page sent it
    std::vector<std::string> list;
};

struct PageCall {
    std::string object;  // empty: the first script object the add-on registered
    std::string function;
    PageArgument argument;
};

// The most strings an array argument may hold: the page's functions that take one read two.
constexpr std::size_t MaxArgumentElements = 256;

// Reads {"object": OBJECT, "function": NAME, "argument": VALUE}; without "object" the call goes to the
// first script object, without "argument" it is a call without one. VALUE is a string, a number or an
// array of at most MaxArgumentElements strings; anything else is refused with the reason in `problem`.
// Other members are ignored. Time and memory are linear in the body, whatever it holds.
std::optional<PageCall> ReadPageCall(const std::string& body, std::string* problem);

struct PageCallOutcome {
    bool called = false;
    nlohmann::json reply;  // a string, a number, a boolean, or null when the function answered nothing
    std::string problem;   // why the call did not happen, or what escaped from it
};

// The host thread only: calls `object.function(argument)` as the page would.
PageCallOutcome CallOnHost(Sim::UserInterface& ui, const PageCall& call);

// The response body: {"reply": VALUE} or {"error": TEXT}. Texts that are not valid UTF-8 have the bad
// bytes replaced, so that the page always gets JSON.
std::string WriteReply(const nlohmann::json& reply);
std::string WriteError(const std::string& problem);

}  // namespace CorvanaHost::Http
