// The page's side of a call to jsCorvanaInterface: the argument as the page passes it, and the reply as
// `call` prints it and `script` reports it.
#pragma once

#include "Model/JsonReader.hpp"
#include "UserInterface.hpp"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace CorvanaHost {

struct PageArgument {
    enum Kind { None, Text, Number, Texts };
    Kind kind = None;
    std::string text;
    double number = 0.0;
    std::vector<std::string> texts;

    GS::Ref<JS::Base> ToJs() const;
};

// What the add-on writes to the console while a command runs goes to stderr, so that stdout holds what the
// command prints and nothing else. Out() is where the command prints.
class ConsoleToStderr {
public:
    explicit ConsoleToStderr(std::ostream& out);
    ~ConsoleToStderr();
    ConsoleToStderr(const ConsoleToStderr&) = delete;
    ConsoleToStderr& operator=(const ConsoleToStderr&) = delete;
    std::ostream& Out() { return redirected_ ? own_ : out_; }

private:
    std::ostream& out_;
    bool redirected_;
    std::streambuf* saved_;
    std::ostream own_;
};

// Calls jsCorvanaInterface.FUNCTION on the catalogue page.
Sim::JsCallResult CallPage(Sim::Host& host, const std::string& function, const PageArgument& argument);

// A string reply as its text, a number in decimal, a boolean as true/false, an array as JSON; "" for none.
std::string ReplyText(const GS::Ref<JS::Base>& reply);
// The same as a JSON value: string, number, boolean, array, or null for none.
Sim::Json::Value ReplyJson(const GS::Ref<JS::Base>& reply);

}  // namespace CorvanaHost
