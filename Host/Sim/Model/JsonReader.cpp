#include "Model/JsonReader.hpp"

#include <algorithm>
#include <cmath>
#include <set>

namespace Sim::Json {

Error::Error(std::string place, std::string problem)
    : std::runtime_error(place + ": " + problem), place_(std::move(place)), problem_(std::move(problem))
{
}

std::string AppendPointer(const std::string& pointer, const std::string& token)
{
    std::string escaped;
    for (char c : token) {
        if (c == '~')
            escaped += "~0";
        else if (c == '/')
            escaped += "~1";
        else
            escaped += c;
    }
    return pointer + "/" + escaped;
}

std::string DisplayPlace(const std::string& pointer) { return pointer.empty() ? "(document)" : pointer; }

namespace {

// Builds the document through the library's own DOM builder while keeping track of where it is, so that a
// repeated member can be refused with its place (the library would silently keep the last one).
class StrictSax {
public:
    StrictSax(Value& root, const std::string& text) : dom_(root, true), text_(text) {}

    bool null() { return Scalar() && dom_.null(); }
    bool boolean(bool value) { return Scalar() && dom_.boolean(value); }
    bool number_integer(Value::number_integer_t value) { return Scalar() && dom_.number_integer(value); }
    bool number_unsigned(Value::number_unsigned_t value) { return Scalar() && dom_.number_unsigned(value); }
    bool number_float(Value::number_float_t value, const Value::string_t& text)
    {
        return Scalar() && dom_.number_float(value, text);
    }
    bool string(Value::string_t& value) { return Scalar() && dom_.string(value); }
    bool binary(Value::binary_t& value) { return Scalar() && dom_.binary(value); }

    bool start_object(std::size_t size)
    {
        frames_.push_back(Frame{false, 0, CurrentPointer(), {}, {}});
        return dom_.start_object(size);
    }
    bool key(Value::string_t& name)
    {
        Frame& frame = frames_.back();
        if (!frame.keys.insert(name).second)
            throw Error(AppendPointer(frame.pointer, name), "member \"" + name + "\" appears twice");
        frame.key = name;
        return dom_.key(name);
    }
    bool end_object()
    {
        frames_.pop_back();
        EndValue();
        return dom_.end_object();
    }
    bool start_array(std::size_t size)
    {
        frames_.push_back(Frame{true, 0, CurrentPointer(), {}, {}});
        return dom_.start_array(size);
    }
    bool end_array()
    {
        frames_.pop_back();
        EndValue();
        return dom_.end_array();
    }

    template <class Exception>
    bool parse_error(std::size_t position, const std::string& /*lastToken*/, const Exception& ex)
    {
        // Place from the byte position (the offending byte is the last one read), so that every message
        // has the same form; the problem is the library's text without its own prefix and place.
        size_t at = std::min(position > 0 ? position - 1 : 0, text_.size());
        size_t line = 1 + static_cast<size_t>(std::count(text_.begin(), text_.begin() + static_cast<long>(at), '\n'));
        size_t lineStart = text_.rfind('\n', at == 0 ? std::string::npos : at - 1);
        size_t column = at - (lineStart == std::string::npos || at == 0 ? 0 : lineStart + 1) + 1;
        std::string problem = ex.what();
        if (problem.compare(0, 15, "[json.exception") == 0 && problem.find("] ") != std::string::npos)
            problem = problem.substr(problem.find("] ") + 2);
        if (problem.compare(0, 15, "parse error at ") == 0 && problem.find(": ") != std::string::npos)
            problem = problem.substr(problem.find(": ") + 2);
        throw Error("line " + std::to_string(line) + ", column " + std::to_string(column), problem);
    }

private:
    struct Frame {
        bool isArray;
        size_t index;
        std::string pointer;
        std::string key;
        std::set<std::string> keys;
    };

    std::string CurrentPointer() const
    {
        if (frames_.empty())
            return "";
        const Frame& frame = frames_.back();
        return AppendPointer(frame.pointer, frame.isArray ? std::to_string(frame.index) : frame.key);
    }
    bool Scalar()
    {
        EndValue();
        return true;
    }
    void EndValue()
    {
        if (!frames_.empty() && frames_.back().isArray)
            ++frames_.back().index;
    }

    nlohmann::detail::json_sax_dom_parser<Value> dom_;
    const std::string& text_;
    std::vector<Frame> frames_;
};

const char* TypeWord(const Value& value)
{
    switch (value.type()) {
        case Value::value_t::null: return "null";
        case Value::value_t::object: return "an object";
        case Value::value_t::array: return "an array";
        case Value::value_t::string: return "a string";
        case Value::value_t::boolean: return "a boolean";
        case Value::value_t::number_integer:
        case Value::value_t::number_unsigned: return "an integer";
        case Value::value_t::number_float: return "a number with a fraction";
        default: return "an unexpected value";
    }
}

}  // namespace

Value ParseStrict(const std::string& text)
{
    Value root;
    StrictSax sax(root, text);
    try {
        Value::sax_parse(text, &sax, nlohmann::detail::input_format_t::json, true, false);
    } catch (const Error&) {
        throw;
    } catch (const std::exception& e) {
        throw Error("(document)", e.what());
    }
    return root;
}

void Reader::Fail(const std::string& problem) const { throw Error(DisplayPlace(pointer_), problem); }

std::string Reader::String() const
{
    if (!value_->is_string())
        Fail(std::string("expected a string, found ") + TypeWord(*value_));
    return value_->get<std::string>();
}

Int64 Reader::Integer(Int64 min, Int64 max) const
{
    if (value_->is_number_unsigned()) {
        auto value = value_->get<UInt64>();
        if (value > static_cast<UInt64>(max) || (min > 0 && value < static_cast<UInt64>(min)))
            Fail(std::to_string(value) + " is out of range (" + std::to_string(min) + " to " + std::to_string(max) + ")");
        return static_cast<Int64>(value);
    }
    if (!value_->is_number_integer())
        Fail(std::string("expected an integer, found ") + TypeWord(*value_));
    auto value = value_->get<Int64>();
    if (value < min || value > max)
        Fail(std::to_string(value) + " is out of range (" + std::to_string(min) + " to " + std::to_string(max) + ")");
    return value;
}

double Reader::Number() const
{
    if (!value_->is_number())
        Fail(std::string("expected a number, found ") + TypeWord(*value_));
    double value = value_->get<double>();
    if (!std::isfinite(value))
        Fail("the number is not finite");
    return value;
}

bool Reader::Bool() const
{
    if (!value_->is_boolean())
        Fail(std::string("expected true or false, found ") + TypeWord(*value_));
    return value_->get<bool>();
}

std::vector<Reader> Reader::Array() const
{
    if (!value_->is_array())
        Fail(std::string("expected an array, found ") + TypeWord(*value_));
    std::vector<Reader> items;
    for (size_t i = 0; i < value_->size(); ++i)
        items.emplace_back((*value_)[i], AppendPointer(pointer_, std::to_string(i)));
    return items;
}

ObjectReader Reader::Object(std::initializer_list<const char*> known) const
{
    return ObjectReader(*this, std::vector<std::string>(known.begin(), known.end()));
}

ObjectReader Reader::Object(const std::vector<std::string>& known) const { return ObjectReader(*this, known); }

ObjectReader::ObjectReader(const Reader& object, const std::vector<std::string>& known) : self_(object)
{
    if (!object.Raw().is_object())
        object.Fail(std::string("expected an object, found ") + TypeWord(object.Raw()));
    for (auto it = object.Raw().begin(); it != object.Raw().end(); ++it) {
        bool isKnown = std::any_of(known.begin(), known.end(), [&it](const std::string& name) { return it.key() == name; });
        if (!isKnown) {
            std::string list;
            for (const auto& name : known)
                list += std::string(list.empty() ? "" : ", ") + "\"" + name + "\"";
            throw Error(AppendPointer(object.Pointer(), it.key()),
                        "unknown member \"" + it.key() + "\" (known here: " + (list.empty() ? "none" : list) + ")");
        }
    }
}

bool ObjectReader::Has(const char* key) const { return self_.Raw().contains(key); }

Reader ObjectReader::Required(const char* key) const
{
    if (!Has(key))
        self_.Fail(std::string("member \"") + key + "\" is missing");
    return Reader(self_.Raw()[key], AppendPointer(self_.Pointer(), key));
}

std::optional<Reader> ObjectReader::Optional(const char* key) const
{
    if (!Has(key))
        return std::nullopt;
    return Reader(self_.Raw()[key], AppendPointer(self_.Pointer(), key));
}

std::string ObjectReader::String(const char* key, const std::string& fallback) const
{
    auto member = Optional(key);
    return member ? member->String() : fallback;
}

Int64 ObjectReader::Integer(const char* key, Int64 min, Int64 max, Int64 fallback) const
{
    auto member = Optional(key);
    return member ? member->Integer(min, max) : fallback;
}

double ObjectReader::Number(const char* key, double fallback) const
{
    auto member = Optional(key);
    return member ? member->Number() : fallback;
}

bool ObjectReader::Bool(const char* key, bool fallback) const
{
    auto member = Optional(key);
    return member ? member->Bool() : fallback;
}

}  // namespace Sim::Json
