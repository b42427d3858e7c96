// Reading the JSON documents that the catalogue page sends: parsing with the empty-text fallback, the four
// ways a key is read, and the one conversion by which any JSON value becomes an item's text.
//
// Everything here raises on bad input (the JSON library's exceptions, or the standard library's for digit
// strings and numbers out of range); the import path catches them at its boundary. Nothing here reads past a
// string or looks up a missing key through an unchecked lookup.
#pragma once

#include "UniString.hpp"
#include "Parsing/TextLimits.hpp"

#include <nlohmann/json.hpp>

#include <string>

namespace QRV {

using Json = nlohmann::json;

namespace Payload {

// Documents nested deeper than MaxNestingDepth are refused at parsing too (serialising or copying a value
// recurses once per level), for texts that did not pass the entries' limit check.

// Parses strictly (no comments). An empty text, or one that fails to parse, gives the JSON string "";
// a failure's message goes to standard output as one line.
Json Parse(const std::string& text);
Json Parse(const GS::UniString& text);

// Key reads. `object` may be any JSON value; only objects have keys.
bool Contains(const Json& object, const char* key);                  // opt: is the key there?
const Json& ReadRequired(const Json& object, const char* key);       // req: raises 403 / 304
const Json& ReadIndexed(const Json& object, const char* key);        // idx: missing key reads as null
const Json& ReadUnchecked(const Json& object, const char* key);      // must: missing key reads as null

// The text conversion: null "", integers wrapped to 32 bits ("%d"), floats in single precision ("%.2f"),
// non-empty arrays as compact JSON, empty arrays "", strings themselves; booleans and objects raise 302.
GS::UniString Text(const Json& value);
// A property's value: as Text, except that a boolean gives "true"/"false" and an object its compact JSON,
// since catalogue attributes carry yes/no values and small structured values.
GS::UniString PropertyValueText(const Json& value);

// Strict reads: only a JSON string, only a JSON number.
GS::UniString String(const Json& value);
Int64 Int64Number(const Json& value);   // floats are truncated; out of range raises std::out_of_range
Int32 Int32Number(const Json& value);   // integers wrap to 32 bits; floats as Int64Number
double DoubleNumber(const Json& value);

// The leading decimal number of a JSON string (leading white space and a sign allowed, trailing characters
// ignored). No digits: std::invalid_argument "invalid stoi argument"; outside the 32-bit range:
// std::out_of_range "stoi argument out of range".
Int32 DigitString(const Json& value);

// The "import_type" of a document: from "data" of an enveloped object, else from the first element of a
// top-level array; "" when there is none (or the document has neither shape).
GS::UniString ImportType(const Json& document);

// What a product's "file_url" asks for, by its last three characters.
enum class ProductFileKind { None, Library, LibraryPart };
// "" gives None; "...lcf" a library container; any other address a single library part. An address of one
// or two characters names no file: std::invalid_argument.
ProductFileKind ProductFileKindOf(const GS::UniString& fileUrl);
// Reads "file_url" of a product document (idx, strict string) and classifies it.
ProductFileKind ProductFileKindOf(const Json& product);

}  // namespace Payload
}  // namespace QRV
