#include "ServeCall.hpp"

#include "JSValues.hpp"
#include "SimUtf8.hpp"

namespace CorvanaHost::Http {
namespace {

using Json = nlohmann::json;

// Reads a call's body from the parser's events, keeping only the call's own members: whatever else a body
// holds (members of no meaning, a deep or long argument of the wrong kind) is looked at once and dropped,
// so reading costs time and memory in proportion to the body, and no more than the call itself needs.
// A member given twice counts with its last value, as a parsed document would have it.
class CallReader {
public:
    struct Member {
        bool given = false;
        bool isString = false;
        std::string text;
    };

    bool topIsObject = false;
    Member function;
    Member object;
    bool argumentGiven = false;
    PageArgument argument;
    std::string argumentProblem;
    std::string syntaxProblem;

    bool null() { return Scalar(Json(nullptr)); }
    bool boolean(bool value) { return Scalar(Json(value)); }
    bool number_integer(Json::number_integer_t value) { return Scalar(Json(value)); }
    bool number_unsigned(Json::number_unsigned_t value) { return Scalar(Json(value)); }
    bool number_float(Json::number_float_t value, const Json::string_t& /*text*/) { return Scalar(Json(value)); }
    bool string(Json::string_t& value)
    {
        if (depth_ == 1)
            return TopMember(&value, "string");
        if (depth_ == 2 && inArgumentList_) {
            if (argument.list.size() >= MaxArgumentElements)
                ListProblem("\"argument\" has more than " + std::to_string(MaxArgumentElements) + " elements");
            else if (argumentProblem.empty())
                argument.list.push_back(std::move(value));
        }
        return true;
    }
    bool binary(Json::binary_t& /*value*/) { return Scalar(Json()); }
    bool start_object(std::size_t /*size*/) { return Open(false); }
    bool end_object() { return Close(); }
    bool start_array(std::size_t /*size*/) { return Open(true); }
    bool end_array() { return Close(); }
    bool key(Json::string_t& name)
    {
        if (depth_ == 1)
            key_ = name;
        return true;
    }
    template <class Exception>
    bool parse_error(std::size_t /*position*/, const std::string& /*lastToken*/, const Exception& ex)
    {
        syntaxProblem = ex.what();
        return false;
    }

private:
    bool Scalar(const Json& value)
    {
        if (depth_ == 1) {
            if (key_ == "argument" && value.is_number()) {
                NewArgument(PageArgument::Number);
                argument.number = value;
                return true;
            }
            return TopMember(nullptr, value.type_name());
        }
        if (depth_ == 2 && inArgumentList_)
            ListProblem("\"argument\" is an array with an element that is no string");
        return true;
    }

    // A value of the request object's own: a string (`text`) or a value of another type.
    bool TopMember(Json::string_t* text, const char* typeName)
    {
        Member* member = key_ == "function" ? &function : key_ == "object" ? &object : nullptr;
        if (member != nullptr) {
            *member = Member{true, text != nullptr, text != nullptr ? std::move(*text) : std::string()};
        } else if (key_ == "argument") {
            if (text != nullptr) {
                NewArgument(PageArgument::Text);
                argument.text = std::move(*text);
            } else {
                NewArgument(PageArgument::None);
                argumentProblem = std::string("\"argument\" must be a string, a number or an array of strings, not ") +
                                  typeName;
            }
        }
        return true;
    }

    void NewArgument(PageArgument::Kind kind)
    {
        argumentGiven = true;
        argument = PageArgument{};
        argument.kind = kind;
        argumentProblem.clear();
    }

    void ListProblem(const std::string& problem)
    {
        if (argumentProblem.empty())
            argumentProblem = problem;
        argument.list.clear();
        argument.list.shrink_to_fit();
    }

    bool Open(bool isArray)
    {
        if (depth_ == 0) {
            topIsObject = !isArray;
        } else if (depth_ == 1) {
            if (key_ == "argument" && isArray) {
                NewArgument(PageArgument::TextList);
                inArgumentList_ = true;
            } else {
                TopMember(nullptr, isArray ? "array" : "object");
            }
        } else if (depth_ == 2 && inArgumentList_) {
            ListProblem("\"argument\" is an array with an element that is no string");
        }
        ++depth_;
        return true;
    }

    bool Close()
    {
        --depth_;
        if (depth_ == 1)
            inArgumentList_ = false;
        return true;
    }

    std::size_t depth_ = 0;
    std::string key_;  // the request object's current member
    bool inArgumentList_ = false;
};

GS::Ref<JS::Base> ToScriptValue(const PageArgument& argument)
{
    switch (argument.kind) {
        case PageArgument::Text:
            return new JS::Value(Sim::Uni(argument.text));
        case PageArgument::Number:
            // The browser's integers have 32 bits, signed or not; other numbers go as doubles.
            if (argument.number.is_number_integer() && !argument.number.is_number_unsigned()) {
                const Int64 number = argument.number.get<Int64>();
                if (number >= MinInt32 && number <= MaxInt32)
                    return new JS::Value(static_cast<Int32>(number));
            }
            if (argument.number.is_number_unsigned()) {
                const UInt64 number = argument.number.get<UInt64>();
                if (number <= UInt64(MaxInt32))
                    return new JS::Value(static_cast<Int32>(number));
                if (number <= UInt64(MaxUInt32))
                    return new JS::Value(static_cast<UInt32>(number));
            }
            return new JS::Value(argument.number.get<double>());
        case PageArgument::TextList: {
            GS::Ref<JS::Array> array = new JS::Array();
            for (const std::string& text : argument.list)
                array->AddItem(new JS::Value(Sim::Uni(text)));
            return array;
        }
        case PageArgument::None:
            break;
    }
    return GS::Ref<JS::Base>();
}

Json FromScriptValue(const GS::Ref<JS::Base>& reply)
{
    GS::Ref<JS::Value> value = GS::DynamicCast<JS::Value>(reply);
    if (value == nullptr)
        return nullptr;
    switch (value->GetType()) {
        case JS::Value::STRING:
            return Sim::Utf8(value->GetString());
        case JS::Value::INTEGER:
            return value->GetInteger();
        case JS::Value::UINTEGER:
            return value->GetUInteger();
        case JS::Value::DOUBLE:
            return value->GetDouble();
        case JS::Value::BOOL:
            return value->GetBool();
        case JS::Value::DEFAULT:
            break;
    }
    return nullptr;
}

std::string Dump(const Json& document) { return document.dump(-1, ' ', false, Json::error_handler_t::replace); }

}  // namespace

std::optional<PageCall> ReadPageCall(const std::string& body, std::string* problem)
{
    CallReader reader;
    try {
        Json::sax_parse(body, &reader, nlohmann::detail::input_format_t::json, true, false);
    } catch (const std::exception& e) {
        reader.syntaxProblem = e.what();
    }
    if (!reader.syntaxProblem.empty()) {
        *problem = "the request is no JSON: " + reader.syntaxProblem;
        return std::nullopt;
    }
    if (!reader.topIsObject) {
        *problem = "the request must be a JSON object";
        return std::nullopt;
    }
    if (!reader.function.given || !reader.function.isString || reader.function.text.empty()) {
        *problem = "\"function\" must name the function as a non-empty string";
        return std::nullopt;
    }
    PageCall call;
    call.function = std::move(reader.function.text);
    if (reader.object.given) {
        if (!reader.object.isString) {
            *problem = "\"object\" must name the script object as a string";
            return std::nullopt;
        }
        call.object = std::move(reader.object.text);
    }
    if (reader.argumentGiven) {
        if (!reader.argumentProblem.empty()) {
            *problem = reader.argumentProblem;
            return std::nullopt;
        }
        call.argument = std::move(reader.argument);
    }
    return call;
}

PageCallOutcome CallOnHost(Sim::UserInterface& ui, const PageCall& call)
{
    PageCallOutcome outcome;
    Sim::JsCallResult result = ui.CallJsFunction(call.object, call.function, ToScriptValue(call.argument));
    outcome.called = result.called;
    outcome.problem = result.problem;
    if (result.called)
        outcome.reply = FromScriptValue(result.reply);
    return outcome;
}

std::string WriteReply(const Json& reply) { return Dump(Json{{"reply", reply}}); }

std::string WriteError(const std::string& problem) { return Dump(Json{{"error", problem}}); }

}  // namespace CorvanaHost::Http
