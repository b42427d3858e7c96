// Strict reading of JSON documents the host is handed (project files, scripts): the parse refuses syntax
// errors with their line and column, objects that repeat a member and documents nested deeper than
// NestingLimit; the readers refuse members they do not know and values of the wrong type or range, each
// failure naming its place as a JSON pointer.
//
// A file may be large and deep, so nothing here keeps a path text per value: a place is a chain of
// tokens shared with its parent, spelled out only when a message needs it.
#pragma once

#include "Definitions.hpp"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace Sim::Json {

using Value = nlohmann::ordered_json;

// Levels of arrays and objects a document may nest. The deepest the project file itself goes is its
// classification tree (two levels per tree level); scripts go a few levels deep.
constexpr std::size_t NestingLimit = 512;

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

// Parses `text`; throws Error on a syntax error, a repeated member name or nesting past NestingLimit.
// Time and memory grow linearly with the text.
Value ParseStrict(const std::string& text);

// "/a/b~1c/0": a JSON pointer, with "~" and "/" escaped.
std::string AppendPointer(const std::string& pointer, const std::string& token);
// The pointer as shown in messages ("(document)" for the whole document).
std::string DisplayPlace(const std::string& pointer);

// Where a value sits in its document. Cheap to copy; the pointer text is made on demand.
class Place {
public:
    Place() = default;
    // A place given as a whole pointer text ("" is the document).
    explicit Place(std::string pointer);

    Place Child(std::string token) const;
    std::string Pointer() const;

private:
    struct Node;
    explicit Place(std::shared_ptr<const Node> node) : node_(std::move(node)) {}
    std::shared_ptr<const Node> node_;
};

class ObjectReader;
class ArrayReader;

// One value of the document with its place.
class Reader {
public:
    Reader(const Value& value, std::string pointer) : value_(&value), place_(std::move(pointer)) {}
    Reader(const Value& value, Place place) : value_(&value), place_(std::move(place)) {}

    const Value& Raw() const { return *value_; }
    std::string Pointer() const { return place_.Pointer(); }
    const Place& Where() const { return place_; }
    [[noreturn]] void Fail(const std::string& problem) const;

    std::string String() const;
    Int64 Integer(Int64 min, Int64 max) const;
    double Number() const;  // finite; integers are taken too
    bool Bool() const;
    ArrayReader Array() const;
    // An object whose members must all be among `known`.
    ObjectReader Object(std::initializer_list<const char*> known) const;
    ObjectReader Object(const std::vector<std::string>& known) const;

    // The member or element `token` of this value, with its place.
    Reader Child(const Value& value, std::string token) const { return Reader(value, place_.Child(std::move(token))); }

private:
    const Value* value_;
    Place place_;
};

// The elements of an array, each read with its place when it is asked for (so a long array costs no
// reader per element up front).
class ArrayReader {
public:
    class Iterator {
    public:
        Iterator(const ArrayReader* array, std::size_t index) : array_(array), index_(index) {}
        Reader operator*() const { return (*array_)[index_]; }
        Iterator& operator++()
        {
            ++index_;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return index_ != other.index_; }
        bool operator==(const Iterator& other) const { return index_ == other.index_; }

    private:
        const ArrayReader* array_;
        std::size_t index_;
    };

    explicit ArrayReader(Reader array) : array_(std::move(array)) {}

    std::size_t size() const { return array_.Raw().size(); }
    bool empty() const { return array_.Raw().empty(); }
    Reader operator[](std::size_t index) const;
    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, size()); }

private:
    Reader array_;
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
