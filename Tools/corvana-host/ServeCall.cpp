#include "ServeCall.hpp"

#include "JSValues.hpp"
#include "SimUtf8.hpp"

namespace CorvanaHost::Http {
namespace {

using Json = nlohmann::json;

std::optional<PageArgument> ReadArgument(const Json& value, std::string* problem)
{
    PageArgument argument;
    if (value.is_string()) {
        argument.kind = PageArgument::Text;
        argument.text = value.get<std::string>();
    } else if (value.is_number()) {
        argument.kind = PageArgument::Number;
        argument.number = value;
    } else if (value.is_array()) {
        argument.kind = PageArgument::TextList;
        for (const Json& element : value) {
            if (!element.is_string()) {
                *problem = "\"argument\" is an array with an element that is no string";
                return std::nullopt;
            }
            argument.list.push_back(element.get<std::string>());
        }
    } else {
        *problem = "\"argument\" must be a string, a number or an array of strings, not " +
                   std::string(value.type_name());
        return std::nullopt;
    }
    return argument;
}

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
    Json request;
    try {
        request = Json::parse(body);
    } catch (const Json::exception& e) {
        *problem = std::string("the request is no JSON: ") + e.what();
        return std::nullopt;
    }
    if (!request.is_object()) {
        *problem = "the request must be a JSON object";
        return std::nullopt;
    }
    auto function = request.find("function");
    if (function == request.end() || !function->is_string() || function->get<std::string>().empty()) {
        *problem = "\"function\" must name the function as a non-empty string";
        return std::nullopt;
    }
    PageCall call;
    call.function = function->get<std::string>();
    if (auto object = request.find("object"); object != request.end()) {
        if (!object->is_string()) {
            *problem = "\"object\" must name the script object as a string";
            return std::nullopt;
        }
        call.object = object->get<std::string>();
    }
    if (auto argument = request.find("argument"); argument != request.end()) {
        std::optional<PageArgument> read = ReadArgument(*argument, problem);
        if (!read)
            return std::nullopt;
        call.argument = std::move(*read);
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
