#include "Model/JsonReader.hpp"

#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <vector>

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

struct Place::Node {
    std::shared_ptr<const Node> parent;
    std::string token;
    bool whole;  // `token` is a whole pointer text, not one token
};

Place::Place(std::string pointer)
{
    if (!pointer.empty())
        node_ = std::make_shared<const Node>(Node{nullptr, std::move(pointer), true});
}

Place Place::Child(std::string token) const
{
    return Place(std::make_shared<const Node>(Node{node_, std::move(token), false}));
}

std::string Place::Pointer() const
{
    std::vector<const Node*> chain;
    for (const Node* node = node_.get(); node != nullptr; node = node->parent.get())
        chain.push_back(node);
    std::string pointer;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        pointer = (*it)->whole ? pointer + (*it)->token : AppendPointer(pointer, (*it)->token);
    return pointer;
}

namespace {

// Builds the document from the parser's events, refusing a repeated member (the library would silently
// keep the last one) and nesting past the limit, each with its place. Members go straight to the end of
// their object: the repetition check has already looked for the name, so the library's own look-up, which
// walks the whole object for every member, is left out. Each open array or object keeps its member names
// and the key or count of its open child, nothing more, so the place of a value is spelled out only when
// a message needs it.
class StrictBuilder {
public:
    StrictBuilder(Value& root, const std::string& text) : root_(root), text_(text) {}

    bool null() { return Put(Value(nullptr)) != nullptr; }
    bool boolean(bool value) { return Put(Value(value)) != nullptr; }
    bool number_integer(Value::number_integer_t value) { return Put(Value(value)) != nullptr; }
    bool number_unsigned(Value::number_unsigned_t value) { return Put(Value(value)) != nullptr; }
    bool number_float(Value::number_float_t value, const Value::string_t& /*text*/)
    {
        return Put(Value(value)) != nullptr;
    }
    bool string(Value::string_t& value) { return Put(Value(std::move(value))) != nullptr; }
    bool binary(Value::binary_t& value) { return Put(Value::binary(std::move(value))) != nullptr; }

    bool start_object(std::size_t /*size*/) { return Open(Value::object(), false); }
    bool key(Value::string_t& name)
    {
        Frame& frame = frames_.back();
        if (!frame.keys.insert(name).second)
            throw Error(AppendPointer(PointerOf(false), name), "member \"" + name + "\" appears twice");
        frame.key = name;
        return true;
    }
    bool end_object()
    {
        frames_.pop_back();
        return true;
    }
    bool start_array(std::size_t /*size*/) { return Open(Value::array(), true); }
    bool end_array()
    {
        frames_.pop_back();
        return true;
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
        Value* container;
        bool isArray;
        std::size_t count = 0;  // values put into it so far
        std::string key;        // an object's current member
        std::unordered_set<std::string> keys;
    };

    // The pointer of the innermost open container, or (`next`) of the value that comes next in it.
    std::string PointerOf(bool next) const
    {
        std::string pointer;
        for (size_t i = 0; i < frames_.size(); ++i) {
            const Frame& frame = frames_[i];
            const bool innermost = i + 1 == frames_.size();
            if (innermost && !next)
                break;
            // An outer array's open child is the last value put into it.
            const size_t index = innermost ? frame.count : frame.count - 1;
            pointer = AppendPointer(pointer, frame.isArray ? std::to_string(index) : frame.key);
        }
        return pointer;
    }

    Value* Put(Value&& value)
    {
        if (frames_.empty()) {
            root_ = std::move(value);
            return &root_;
        }
        Frame& frame = frames_.back();
        ++frame.count;
        if (frame.isArray) {
            auto& array = frame.container->get_ref<Value::array_t&>();
            array.push_back(std::move(value));
            return &array.back();
        }
        auto& object = frame.container->get_ref<Value::object_t&>();
        object.Container::emplace_back(frame.key, std::move(value));
        return &object.back().second;
    }

    bool Open(Value&& container, bool isArray)
    {
        if (frames_.size() >= NestingLimit)
            throw Error(DisplayPlace(PointerOf(true)),
                        "the document nests deeper than the limit of " + std::to_string(NestingLimit) + " levels");
        Value* made = Put(std::move(container));
        frames_.push_back(Frame{made, isArray, 0, {}, {}});
        return true;
    }

    Value& root_;
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
    StrictBuilder builder(root, text);
    try {
        Value::sax_parse(text, &builder, nlohmann::detail::input_format_t::json, true, false);
    } catch (const Error&) {
        throw;
    } catch (const std::exception& e) {
        throw Error("(document)", e.what());
    }
    return root;
}

void Reader::Fail(const std::string& problem) const { throw Error(DisplayPlace(Pointer()), problem); }

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

ArrayReader Reader::Array() const
{
    if (!value_->is_array())
        Fail(std::string("expected an array, found ") + TypeWord(*value_));
    return ArrayReader(*this);
}

Reader ArrayReader::operator[](std::size_t index) const
{
    return array_.Child(array_.Raw()[index], std::to_string(index));
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
            throw Error(DisplayPlace(AppendPointer(object.Pointer(), it.key())),
                        "unknown member \"" + it.key() + "\" (known here: " + (list.empty() ? "none" : list) + ")");
        }
    }
}

bool ObjectReader::Has(const char* key) const { return self_.Raw().contains(key); }

Reader ObjectReader::Required(const char* key) const
{
    std::optional<Reader> member = Optional(key);
    if (!member)
        self_.Fail(std::string("member \"") + key + "\" is missing");
    return *member;
}

std::optional<Reader> ObjectReader::Optional(const char* key) const
{
    auto found = self_.Raw().find(key);
    if (found == self_.Raw().end())
        return std::nullopt;
    return self_.Child(*found, key);
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
