#include "Parsing/PayloadReading.hpp"
#include "SimUtf8.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace {

using QRV::Json;
namespace Payload = QRV::Payload;

std::string Text(const Json& value) { return Sim::Utf8(Payload::Text(value)); }

// The JSON library's error number and message of what `read` raises.
template <typename Read>
std::pair<int, std::string> LibraryError(Read read)
{
    try {
        read();
    } catch (const Json::exception& error) {
        return {error.id, error.what()};
    }
    return {0, "nothing raised"};
}

std::string Nested(int levels, const std::string& inner)
{
    return std::string(static_cast<size_t>(levels), '[') + inner + std::string(static_cast<size_t>(levels), ']');
}

TEST(PayloadParsing, EmptyOrBrokenTextGivesTheEmptyStringAndReportsFailuresOnOneLine)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(Payload::Parse(std::string()), Json(""));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    testing::internal::CaptureStdout();
    EXPECT_EQ(Payload::Parse(std::string("{\"a\":\n[1,}")), Json(""));
    std::string output = testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("parse error"), std::string::npos) << output;
    EXPECT_EQ(output.find('\n'), output.size() - 1) << output;

    // Comments are not JSON.
    testing::internal::CaptureStdout();
    EXPECT_EQ(Payload::Parse(std::string("/* x */ {}")), Json(""));
    EXPECT_FALSE(testing::internal::GetCapturedStdout().empty());
}

TEST(PayloadParsing, NumbersBeyondDoubleAndExcessiveNestingAreParseFailures)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(Payload::Parse(std::string("{\"updated_at\": 1e400}")), Json(""));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("number overflow"), std::string::npos);

    testing::internal::CaptureStdout();
    EXPECT_EQ(Payload::Parse(Nested(Payload::MaxNestingDepth + 50, "1")), Json(""));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("nested deeper"), std::string::npos);

    // A few hundred levels are still a document, and its text form is available.
    Json deep = Payload::Parse(Nested(300, "1"));
    ASSERT_TRUE(deep.is_array());
    EXPECT_EQ(Text(deep), Nested(300, "1"));
}

TEST(PayloadKeyReads, RequiredIndexedAndUncheckedReads)
{
    const Json object = {{"name", "Oak"}, {"empty", nullptr}};
    EXPECT_EQ(Payload::ReadRequired(object, "name"), "Oak");
    EXPECT_EQ(LibraryError([&] { Payload::ReadRequired(object, "id"); }),
              std::make_pair(403, std::string("[json.exception.out_of_range.403] key 'id' not found")));
    EXPECT_EQ(LibraryError([&] { Payload::ReadRequired(Json::array(), "id"); }).first, 304);
    EXPECT_EQ(LibraryError([&] { Payload::ReadRequired(Json(), "id"); }).first, 304);

    EXPECT_TRUE(Payload::ReadIndexed(object, "tabs").is_null());
    EXPECT_TRUE(Payload::ReadIndexed(Json(), "tabs").is_null());
    EXPECT_EQ(Payload::ReadIndexed(object, "name"), "Oak");
    EXPECT_EQ(LibraryError([&] { Payload::ReadIndexed(Json("General"), "attributes"); }).first, 305);
    EXPECT_TRUE(Payload::ReadUnchecked(object, "attributes").is_null());

    EXPECT_TRUE(Payload::Contains(object, "empty"));
    EXPECT_FALSE(Payload::Contains(object, "Name"));
    EXPECT_FALSE(Payload::Contains(Json::array({"name"}), "name"));
}

TEST(PayloadTextConversion, NumbersWrapAndRound)
{
    EXPECT_EQ(Text(Json()), "");
    EXPECT_EQ(Text(Json(7)), "7");
    EXPECT_EQ(Text(Json(-3)), "-3");
    EXPECT_EQ(Text(Json(4294967301ULL)), "5");  // 2^32 + 5
    EXPECT_EQ(Text(Json(2147483648LL)), "-2147483648");
    EXPECT_EQ(Text(Json(18446744073709551615ULL)), "-1");
    EXPECT_EQ(Text(Json(3.14159)), "3.14");
    EXPECT_EQ(Text(Json(12.5)), "12.50");
    EXPECT_EQ(Text(Json(-0.004)), "-0.00");
    EXPECT_EQ(Text(Json(16777217.0)), "16777216.00");  // single precision
    EXPECT_EQ(Text(Json(1e300)), "inf");
    EXPECT_EQ(Text(Json(-1e300)), "-inf");
}

TEST(PayloadTextConversion, ArraysStringsAndRefusedTypes)
{
    EXPECT_EQ(Text(Json::parse(R"([1, "a", {"b": null}])")), R"([1,"a",{"b":null}])");
    EXPECT_EQ(Text(Json::array()), "");
    EXPECT_EQ(Text(Json("Oak")), "Oak");
    EXPECT_EQ(Text(Json("")), "");
    EXPECT_EQ(LibraryError([] { Payload::Text(Json(true)); }),
              std::make_pair(302, std::string("[json.exception.type_error.302] type must be string, but is boolean")));
    EXPECT_EQ(LibraryError([] { Payload::Text(Json::object()); }).second,
              "[json.exception.type_error.302] type must be string, but is object");
}

TEST(PayloadTextConversion, PropertyValuesAlsoTakeBooleansAndObjects)
{
    EXPECT_EQ(Sim::Utf8(Payload::PropertyValueText(Json(true))), "true");
    EXPECT_EQ(Sim::Utf8(Payload::PropertyValueText(Json(false))), "false");
    EXPECT_EQ(Sim::Utf8(Payload::PropertyValueText(Json::parse(R"({"months": 12, "note": "oil"})"))),
              R"({"months":12,"note":"oil"})");
    EXPECT_EQ(Sim::Utf8(Payload::PropertyValueText(Json(12.5))), "12.50");
    EXPECT_EQ(Sim::Utf8(Payload::PropertyValueText(Json())), "");
}

TEST(PayloadStrictReads, StringsAndNumbers)
{
    EXPECT_EQ(Sim::Utf8(Payload::String(Json("Material"))), "Material");
    EXPECT_EQ(LibraryError([] { Payload::String(Json()); }).second,
              "[json.exception.type_error.302] type must be string, but is null");
    EXPECT_EQ(LibraryError([] { Payload::String(Json(5)); }).first, 302);

    EXPECT_EQ(Payload::Int64Number(Json(1700000000123LL)), 1700000000123LL);
    EXPECT_EQ(Payload::Int64Number(Json(1.9)), 1);
    EXPECT_EQ(Payload::Int64Number(Json(-1.9)), -1);
    EXPECT_EQ(LibraryError([] { Payload::Int64Number(Json("1")); }).second,
              "[json.exception.type_error.302] type must be number, but is string");
    EXPECT_THROW(Payload::Int64Number(Json(1e300)), std::out_of_range);
    EXPECT_THROW(Payload::Int64Number(Json(9223372036854775808.0)), std::out_of_range);

    EXPECT_EQ(Payload::Int32Number(Json(4)), 4);
    EXPECT_EQ(Payload::Int32Number(Json(4294967301LL)), 5);
    EXPECT_EQ(Payload::Int32Number(Json(4.7)), 4);
    EXPECT_THROW(Payload::Int32Number(Json(3e9)), std::out_of_range);
    EXPECT_EQ(LibraryError([] { Payload::Int32Number(Json(true)); }).first, 302);

    EXPECT_DOUBLE_EQ(Payload::DoubleNumber(Json(2)), 2.0);
    EXPECT_EQ(LibraryError([] { Payload::DoubleNumber(Json()); }).second,
              "[json.exception.type_error.302] type must be number, but is null");
}

TEST(PayloadDigitStrings, LeadingDigitsLikeStrtol)
{
    EXPECT_EQ(Payload::DigitString(Json("12")), 12);
    EXPECT_EQ(Payload::DigitString(Json("  -7 apples")), -7);
    EXPECT_EQ(Payload::DigitString(Json("+3")), 3);
    EXPECT_EQ(Payload::DigitString(Json("0012x")), 12);
    EXPECT_EQ(Payload::DigitString(Json("2147483647")), 2147483647);

    auto message = [](const char* text) {
        try {
            Payload::DigitString(Json(text));
        } catch (const std::invalid_argument& error) {
            return std::string("invalid: ") + error.what();
        } catch (const std::out_of_range& error) {
            return std::string("range: ") + error.what();
        }
        return std::string("accepted");
    };
    EXPECT_EQ(message("abc"), "invalid: invalid stoi argument");
    EXPECT_EQ(message(""), "invalid: invalid stoi argument");
    EXPECT_EQ(message("-"), "invalid: invalid stoi argument");
    EXPECT_EQ(message("0x1A"), "accepted");  // the 0 before the x
    EXPECT_EQ(message("2147483648"), "range: stoi argument out of range");
    EXPECT_EQ(message("-99999999999999999999999"), "range: stoi argument out of range");
    EXPECT_EQ(LibraryError([] { Payload::DigitString(Json(12)); }).first, 302);
}

TEST(PayloadImportType, FromTheEnvelopeOrTheFirstElement)
{
    auto type = [](const char* text) { return Sim::Utf8(Payload::ImportType(Payload::Parse(std::string(text)))); };
    EXPECT_EQ(type(R"({"data": {"import_type": "Material"}})"), "Material");
    EXPECT_EQ(type(R"([{"import_type": "system"}, {"import_type": "Material"}])"), "system");
    EXPECT_EQ(type(R"({"data": {"name": "Oak"}})"), "");
    EXPECT_EQ(type(R"({"data": null})"), "");
    EXPECT_EQ(type("[]"), "");
    EXPECT_EQ(type("[5]"), "");
    // Neither an envelope nor a list: no import type, so no importer.
    EXPECT_EQ(type(R"({"import_type": "Material"})"), "");
    EXPECT_EQ(type("not json"), "");
    EXPECT_EQ(LibraryError([] { Payload::ImportType(Json::parse(R"({"data": {"import_type": 5}})")); }).first, 302);
}

TEST(PayloadProductFile, LastThreeCharactersPickTheImporter)
{
    using Kind = Payload::ProductFileKind;
    auto kind = [](const char* url) { return Payload::ProductFileKindOf(GS::UniString(url)); };
    EXPECT_EQ(kind(""), Kind::None);
    EXPECT_EQ(kind("https://catalogue.example/Door.lcf"), Kind::Library);
    EXPECT_EQ(kind("lcf"), Kind::Library);
    EXPECT_EQ(kind("https://catalogue.example/Door.gsm"), Kind::LibraryPart);
    EXPECT_EQ(kind("https://catalogue.example/Door.LCF"), Kind::LibraryPart);
    EXPECT_EQ(kind("https://catalogue.example/x?a=.lcf&v=2"), Kind::LibraryPart);
    EXPECT_THROW(kind("cf"), std::invalid_argument);
    EXPECT_THROW(kind("f"), std::invalid_argument);

    EXPECT_EQ(Payload::ProductFileKindOf(Json::parse(R"({"file_url": "a.lcf"})")), Kind::Library);
    EXPECT_EQ(LibraryError([] { Payload::ProductFileKindOf(Json::parse(R"({"name": "Door"})")); }).first, 302);
}

}  // namespace
