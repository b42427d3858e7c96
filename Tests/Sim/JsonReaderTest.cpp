// Strict JSON reading: places of repeated members deep in the document, and the readers' type and range
// checks with their places.
#include "Model/JsonReader.hpp"

#include <gtest/gtest.h>

namespace {

using Sim::Json::Error;
using Sim::Json::ParseStrict;
using Sim::Json::Reader;

std::string PlaceOfParseError(const std::string& text)
{
    try {
        ParseStrict(text);
    } catch (const Error& e) {
        return e.Place() + " | " + e.Problem();
    }
    return "accepted";
}

TEST(StrictJson, ARepeatedMemberIsNamedByItsPlaceAfterNestedValues)
{
    EXPECT_EQ(PlaceOfParseError(R"({"a": [1, {"x": [true, null]}, "s", {"b": {}, "b": 2}]})"),
              "/a/3/b | member \"b\" appears twice");
    EXPECT_EQ(PlaceOfParseError(R"([[], [[1, 2], 3], {"k~/": {"y": 1, "y": 1}}])"),
              "/2/k~0~1/y | member \"y\" appears twice");
    // The same name in sibling objects, and in an object and its parent, is no repetition.
    EXPECT_EQ(PlaceOfParseError(R"({"x": {"x": 1}, "y": [{"x": 1}, {"x": 2}]})"), "accepted");
    EXPECT_EQ(PlaceOfParseError("[1,\n 2,\n ]"), "line 3, column 2 | syntax error while parsing value - unexpected ']'; "
                                                "expected '[', '{', or a literal");
}

TEST(StrictJson, ReadersCheckTypeRangeAndMembersNamingThePlace)
{
    auto document = ParseStrict(R"({"n": -5, "u": 70000, "f": 1.5, "s": "t", "b": false, "o": {"k": 1}})");
    Reader root(document, "");
    auto object = root.Object({"n", "u", "f", "s", "b", "o"});
    EXPECT_EQ(object.Integer("n", -10, 10, 0), -5);
    EXPECT_EQ(object.Integer("missing", 0, 10, 7), 7);
    EXPECT_EQ(object.Number("n", 0), -5.0);
    EXPECT_EQ(object.Number("f", 0), 1.5);
    EXPECT_EQ(object.String("s", ""), "t");
    EXPECT_FALSE(object.Bool("b", true));

    auto failure = [&](auto read) -> std::string {
        try {
            read();
        } catch (const Error& e) {
            return e.what();
        }
        return "accepted";
    };
    EXPECT_EQ(failure([&] { object.Integer("u", 0, 65535, 0); }), "/u: 70000 is out of range (0 to 65535)");
    EXPECT_EQ(failure([&] { object.Integer("u", 70001, 80000, 0); }), "/u: 70000 is out of range (70001 to 80000)");
    EXPECT_EQ(failure([&] { object.Integer("n", 0, 10, 0); }), "/n: -5 is out of range (0 to 10)");
    EXPECT_EQ(failure([&] { object.Integer("f", 0, 10, 0); }), "/f: expected an integer, found a number with a fraction");
    EXPECT_EQ(failure([&] { object.String("n", ""); }), "/n: expected a string, found an integer");
    EXPECT_EQ(failure([&] { object.Required("z"); }), "(document): member \"z\" is missing");
    EXPECT_EQ(failure([&] { object.Required("o").Object({"j"}); }), "/o/k: unknown member \"k\" (known here: \"j\")");
    EXPECT_EQ(failure([&] { object.Required("o").Array(); }), "/o: expected an array, found an object");
    EXPECT_EQ(failure([&] { root.Object({}); }), "/n: unknown member \"n\" (known here: none)");
}

}  // namespace
