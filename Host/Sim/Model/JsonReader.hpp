// Strict reading of JSON documents the host is handed (project files, scripts): the parse refuses syntax
// errors with their line and column and objects that repeat a member; the readers refuse members they do
// not know and values of the wrong type or range, each failure naming its place as a JSON pointer.
#pragma once

#include "Definitions.hpp"

#include <nlohmann/json.hpp>

#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace Sim::Json {

using Value = nlohmann::ordered_json;

// A document that cannot be taken: where (a JSON pointer, or "line L, column C") and what is wrong.
class Error : public std::runtime_error {
public:
    Error(std::string place, std::string problem);
    const std::string& Place() const { return place_; }
    const std::string& Problem() const { return problem_; }

private:
    std::string place_;
    std::string problem_;
};

// Parses `text`; throws Error on a syntax error or a repeated member name.
Value ParseStrict(const std::string& text);

// "/a/b~1c/0": a JSON pointer, with "~" and "/" escaped.
std::string AppendPointer(const std::string& pointer, const std::string& token);
// The pointer as shown in messages ("(document)" for the whole document).
std::string DisplayPlace(const std::string& pointer);

class ObjectReader;

// One value of the document with its place.
class Reader {
public:
    Reader(const Value& value, std::string pointer) : value_(&value), pointer_(std::move(pointer)) {}

    const Value& Raw() const { return *value_; }
    const std::string& Pointer() const { return pointer_; }
    [[noreturn]] void Fail(const std::string& problem) const;

    std::string String() const;
    Int64 Integer(Int64 min, Int64 max) const;
    double Number() const;  // finite; integers are taken too
    bool Bool() const;
    std::vector<Reader> Array() const;
    // An object whose members must all be among `known`.
    ObjectReader Object(std::initializer_list<const char*> known) const;
    ObjectReader Object(const std::vector<std::string>& known) const;

private:
    const Value* value_;
    std::string pointer_;
};

class ObjectReader {
public:
    ObjectReader(const Reader& object, const std::vector<std::string>& known);

    const Reader& Self() const { return self_; }
    bool Has(const char* key) const;
    Reader Required(const char* key) const;
    std::optional<Reader> Optional(const char* key) const;

    // Typed members: required ones fail when missing; the others give `fallback` when missing.
    std::string RequiredString(const char* key) const { return Required(key).String(); }
    std::string String(const char* key, const std::string& fallback) const;
    Int64 Integer(const char* key, Int64 min, Int64 max, Int64 fallback) const;
    double Number(const char* key, double fallback) const;
    bool Bool(const char* key, bool fallback) const;

private:
    Reader self_;
};

}  // namespace Sim::Json
