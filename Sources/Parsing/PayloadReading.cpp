#include "Parsing/PayloadReading.hpp"
#include "Support/Utf8.hpp"
#include "Parsing/NestingDepth.hpp"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <stdexcept>

namespace QRV {
namespace Payload {
namespace {

class NestingTooDeep : public std::runtime_error {
public:
    NestingTooDeep()
        : std::runtime_error("document nested deeper than " + std::to_string(MaxNestingDepth) + " levels")
    {
    }
};

// The failure message goes out as a single line whatever the parser quoted from the text.
void ReportParseFailure(const char* message)
{
    std::string line(message);
    for (char& c : line)
        if (c == '\n' || c == '\r')
            c = ' ';
    std::cout << line << std::endl;
}

const Json& NullValue()
{
    static const Json null;
    return null;
}

// Narrowing a double beyond the float range is undefined in C++; IEEE arithmetic gives infinity there,
// which is what the page would see printed.
float ToSinglePrecision(double value)
{
    if (value > static_cast<double>(FLT_MAX))
        return std::numeric_limits<float>::infinity();
    if (value < -static_cast<double>(FLT_MAX))
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

// The library converts booleans to some integer types; a strict number read refuses them like any other
// non-number, with the library's own type error 302.
void RequireNumber(const Json& value)
{
    if (!value.is_number())
        static_cast<void>(value.get<double>());
}

Int32 WrapTo32Bits(UInt64 value) { return static_cast<Int32>(static_cast<UInt32>(value)); }

Int32 WrappedInteger(const Json& value)
{
    if (value.is_number_unsigned())
        return WrapTo32Bits(value.get<UInt64>());
    return WrapTo32Bits(static_cast<UInt64>(value.get<Int64>()));
}

// Truncates a float towards zero when the result fits in [low, high); converting one that does not is
// undefined, so it is refused instead.
double CheckedTruncation(const Json& value, double low, double high, const char* rangeName)
{
    double number = value.get<double>();
    if (!(number >= low && number < high))
        throw std::out_of_range("number " + value.dump() + " is outside the range of " + rangeName);
    return std::trunc(number);
}

}  // namespace

Json Parse(const std::string& text)
{
    if (text.empty())
        return Json("");
    try {
        // The depth is measured beforehand in one pass: the library's parser with a callback rescans the
        // enclosing container at every closing bracket, which made many small values cost quadratic time.
        if (NestingDepth(text, MaxNestingDepth) > MaxNestingDepth)
            throw NestingTooDeep();
        return Json::parse(text, nullptr, true, false);
    } catch (const Json::exception& failure) {  // syntax errors, and numbers too large for a double
        ReportParseFailure(failure.what());
    } catch (const NestingTooDeep& failure) {
        ReportParseFailure(failure.what());
    }
    return Json("");
}

Json Parse(const GS::UniString& text) { return Parse(ToUtf8(text)); }

bool Contains(const Json& object, const char* key) { return object.is_object() && object.contains(key); }

const Json& ReadRequired(const Json& object, const char* key) { return object.at(key); }

const Json& ReadIndexed(const Json& object, const char* key)
{
    if (object.is_null())
        return NullValue();
    if (!object.is_object())
        return object[key];  // the library refuses to index a non-object: type error 305
    auto found = object.find(key);
    return found == object.end() ? NullValue() : *found;
}

const Json& ReadUnchecked(const Json& object, const char* key) { return ReadIndexed(object, key); }

GS::UniString Text(const Json& value)
{
    switch (value.type()) {
        case Json::value_t::null:
            return GS::UniString();
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
            return FromUtf8(std::to_string(WrappedInteger(value)));
        case Json::value_t::number_float: {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.*f", 2,
                          static_cast<double>(ToSinglePrecision(value.get<double>())));
            // Single precision stays below 1e39, so 64 characters always hold it.
            return FromUtf8(std::string(buffer));
        }
        case Json::value_t::array:
            return value.empty() ? GS::UniString() : FromUtf8(value.dump());
        case Json::value_t::string:
            return FromUtf8(value.get_ref<const std::string&>());
        default:
            return FromUtf8(value.get<std::string>());  // booleans and objects: type error 302
    }
}

GS::UniString PropertyValueText(const Json& value)
{
    if (value.is_boolean())
        return GS::UniString(value.get<bool>() ? "true" : "false");
    if (value.is_object())
        return FromUtf8(value.dump());
    return Text(value);
}

GS::UniString String(const Json& value) { return FromUtf8(value.get<std::string>()); }

Int64 Int64Number(const Json& value)
{
    RequireNumber(value);
    if (value.is_number_float())
        return static_cast<Int64>(CheckedTruncation(value, -9223372036854775808.0, 9223372036854775808.0,
                                                    "a 64-bit integer"));
    return value.get<Int64>();
}

Int32 Int32Number(const Json& value)
{
    RequireNumber(value);
    if (value.is_number_float())
        return static_cast<Int32>(CheckedTruncation(value, -2147483648.0, 2147483648.0, "a 32-bit integer"));
    return WrappedInteger(value);
}

double DoubleNumber(const Json& value) { return value.get<double>(); }

Int32 DigitString(const Json& value)
{
    const std::string text = value.get<std::string>();
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    long number = std::strtol(begin, &end, 10);
    if (end == begin)
        throw std::invalid_argument("invalid stoi argument");
    if (errno == ERANGE || number < INT32_MIN || number > INT32_MAX)
        throw std::out_of_range("stoi argument out of range");
    return static_cast<Int32>(number);
}

GS::UniString ImportType(const Json& document)
{
    const Json* item = nullptr;
    if (Contains(document, "data"))
        item = &document.at("data");
    else if (document.is_array() && !document.empty())
        item = &document.at(0);
    if (item == nullptr || !Contains(*item, "import_type"))
        return GS::UniString();
    return String(item->at("import_type"));
}

ProductFileKind ProductFileKindOf(const GS::UniString& fileUrl)
{
    const std::string& address = ToUtf8(fileUrl);
    if (address.empty())
        return ProductFileKind::None;
    if (address.size() < 3)
        throw std::invalid_argument("file_url \"" + address + "\" is too short to name a file");
    return address.compare(address.size() - 3, 3, "lcf") == 0 ? ProductFileKind::Library
                                                              : ProductFileKind::LibraryPart;
}

ProductFileKind ProductFileKindOf(const Json& product)
{
    return ProductFileKindOf(String(ReadIndexed(product, "file_url")));
}

}  // namespace Payload
}  // namespace QRV
