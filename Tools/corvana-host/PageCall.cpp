#include "PageCall.hpp"

#include "Host.hpp"
#include "SimUtf8.hpp"

#include <cmath>
#include <cstdio>

namespace CorvanaHost {
namespace {

constexpr const char* ScriptObjectName = "jsCorvanaInterface";

// Whole numbers travel as the browser's integers (32 bits, signed or not), others as doubles.
GS::Ref<JS::Base> JsNumber(double number)
{
    if (std::nearbyint(number) == number && number >= MinInt32 && number <= MaxInt32)
        return new JS::Value(static_cast<Int32>(number));
    if (std::nearbyint(number) == number && number >= 0 && number <= MaxUInt32)
        return new JS::Value(static_cast<UInt32>(number));
    return new JS::Value(number);
}

std::string NumberText(double number)
{
    if (std::nearbyint(number) == number && std::fabs(number) < 9.0e15)
        return std::to_string(static_cast<Int64>(number));
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", number);
    return buffer;
}

}  // namespace

ConsoleToStderr::ConsoleToStderr(std::ostream& out)
    : out_(out), redirected_(&out == &std::cout), saved_(std::cout.rdbuf()), own_(saved_)
{
    if (redirected_) {
        std::cout.flush();
        std::cout.rdbuf(std::cerr.rdbuf());
    }
}

ConsoleToStderr::~ConsoleToStderr()
{
    if (redirected_) {
        std::cout.flush();
        std::cout.rdbuf(saved_);
    }
    own_.flush();
}

GS::Ref<JS::Base> PageArgument::ToJs() const
{
    switch (kind) {
        case Text: return new JS::Value(Sim::Uni(text));
        case Number: return JsNumber(number);
        case Texts: {
            auto* array = new JS::Array();
            GS::Ref<JS::Base> result(array);
            for (const auto& item : texts)
                array->AddItem(new JS::Value(Sim::Uni(item)));
            return result;
        }
        default: return GS::Ref<JS::Base>();
    }
}

Sim::JsCallResult CallPage(Sim::Host& host, const std::string& function, const PageArgument& argument)
{
    return host.FamilyState<Sim::UserInterface>().CallJsFunction(ScriptObjectName, function, argument.ToJs());
}

Sim::Json::Value ReplyJson(const GS::Ref<JS::Base>& reply)
{
    if (auto value = GS::DynamicCast<JS::Value>(reply)) {
        switch (value->GetType()) {
            case JS::Value::STRING: return Sim::Utf8(value->GetString());
            case JS::Value::INTEGER: return value->GetInteger();
            case JS::Value::UINTEGER: return value->GetUInteger();
            case JS::Value::DOUBLE: return value->GetDouble();
            case JS::Value::BOOL: return value->GetBool();
            default: return nullptr;
        }
    }
    if (auto array = GS::DynamicCast<JS::Array>(reply)) {
        Sim::Json::Value list = Sim::Json::Value::array();
        for (const auto& item : array->GetItemArray())
            list.push_back(ReplyJson(item));
        return list;
    }
    return nullptr;
}

std::string ReplyText(const GS::Ref<JS::Base>& reply)
{
    const Sim::Json::Value json = ReplyJson(reply);
    if (json.is_string())
        return json.get<std::string>();
    if (json.is_number_integer())
        return std::to_string(json.get<Int64>());
    if (json.is_number())
        return NumberText(json.get<double>());
    if (json.is_null())
        return "";
    return json.dump();
}

}  // namespace CorvanaHost
