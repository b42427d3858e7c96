// The shared pieces of the calculation document: property lists, GUID texts, numbers read from catalogue
// texts, the orders the page expects, and the document's text form.
#pragma once

#include "API_Guid.hpp"
#include "APIdefs_Base.h"
#include "Parsing/Items/CorvanaProperties.hpp"

#include <nlohmann/json.hpp>

#include <string>

namespace QRV::CalculationJson {

// Property objects {"group", "name", "type", "unit", "value"}, in list order; with `onlyGroup` given, only
// the properties of that group.
nlohmann::json Properties(const CorvanaProperties& properties, const char* onlyGroup = nullptr);

// 8-4-4-4-12 hexadecimal digits with hyphens, no braces.
std::string GuidText(const API_Guid& guid);

// A number as the catalogue writes it: "1800", " 2.5 kg/m3", "7,5" (a decimal comma), a number with "."
// or "," as its decimal mark, optionally followed by blanks and a unit. Anything else is 0: a text that
// is no number, one with a second mark ("1.000,5", whose reading would be a guess), one followed by
// another number ("1 800"), infinities and NaN (which would turn a sum into null in the document).
double CatalogueNumber(const GS::UniString& text);

// Orders: stable, so records that compare equal keep the order in which the model listed them.
// By the string member `key`, comparing case-insensitively.
void SortByTextIgnoringCase(nlohmann::json& records, const char* key);
// By "name" case-insensitively, then by "subtype" byte by byte.
void SortSystemRecords(nlohmann::json& records);

// One space of indent per level, keys in ascending order, UTF-8 written as it is. Bytes that are not UTF-8
// (a name the host handed over damaged) become U+FFFD rather than failing the whole answer.
std::string DocumentText(const nlohmann::json& document);

}  // namespace QRV::CalculationJson
