// The script object through which the catalogue page calls the add-on: "jsCorvanaInterface" with its
// eleven functions. Each decodes the page's argument, has the work done (PageCommands) and answers with
// one value; nothing thrown inside ever reaches the browser.
#pragma once

#include "Array.hpp"
#include "Ref.hpp"
#include "JSValues.hpp"

#include <optional>

namespace QRV {

constexpr const char* JsInterfaceName = "jsCorvanaInterface";

GS::Ref<JS::Object> CreateJsCorvanaInterface();

// How the functions read their argument: a text is the string of a string value and empty for anything
// else (no argument, a number, an object); a list is the texts of an array's items, and no list for
// anything that is not an array.
GS::UniString JsTextArgument(const GS::Ref<JS::Base>& argument);
std::optional<GS::Array<GS::UniString>> JsListArgument(const GS::Ref<JS::Base>& argument);

}  // namespace QRV
