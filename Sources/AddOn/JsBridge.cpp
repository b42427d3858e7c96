#include "JsBridge.hpp"

#include "Support/LogStream.hpp"
#include "Support/ModuleState.hpp"
#include "PageCommands.hpp"
#include "Support/Utf8.hpp"

#include "GSDebug.hpp"

#include <nlohmann/json.hpp>

#include <exception>
#include <functional>
#include <string>

namespace QRV {
namespace {

using Reply = GS::Ref<JS::Base>;
using Argument = GS::Ref<JS::Base>;

Reply TextReply(const std::string& text) { return new JS::Value(FromUtf8(text)); }

// {"IsError":…,"ShowError":…}: the JSON object type keeps its keys sorted, and dump() is compact.
Reply ErrorObjectReply(bool isError, bool showError)
{
    return TextReply(nlohmann::json{{"IsError", isError}, {"ShowError", showError}}.dump());
}

Reply PlatformReply()
{
    return TextReply(nlohmann::json{{"installer_version", AddOnVersion},
                                    {"os", "windows"},
                                    {"platform_type", 0},
                                    {"version", HostVersion}}
                         .dump());
}

// Payload texts pass through an 8-bit C string on their way to the importers, which ends them at a zero
// character. The 8 bits are UTF-8: the system's code page would lose every character it cannot hold.
GS::UniString ThroughEightBitText(const GS::UniString& text)
{
    return GS::UniString(text.ToCStr(CC_UTF8).Get(), CC_UTF8);
}

GS::UniString PayloadArgument(const Argument& argument) { return ThroughEightBitText(JsTextArgument(argument)); }

// A JSON string goes to the page as its bare text, anything else as compact JSON. An empty list stays
// "[]": the page parses the reply as JSON.
std::string BulkReplyText(const nlohmann::json& result)
{
    return result.is_string() ? result.get<std::string>() : result.dump();
}

// Adds one function whose body may fail in any way: the page then gets `failureReply` and the debug
// output says why.
void AddFunction(JS::Object& object, const char* name, std::function<Reply(const Argument&)> body,
                 std::function<Reply()> failureReply)
{
    object.AddItem(new JS::Function(name, [name, body, failureReply](Argument argument) -> Reply {
        try {
            return body(argument);
        } catch (const std::exception& e) {
            DBPrintf("%s.%s failed: %s\n", JsInterfaceName, name, e.what());
        } catch (...) {
            DBPrintf("%s.%s failed with an unknown exception\n", JsInterfaceName, name);
        }
        try {
            return failureReply();
        } catch (...) {
            return Reply();
        }
    }));
}

std::function<Reply()> FailedWithError(bool showError)
{
    return [showError]() { return ErrorObjectReply(true, showError); };
}

// "import" and "update": without any argument the page gets the number 0.
Reply ImportReply(const Argument& argument)
{
    if (argument == nullptr)
        return new JS::Value(0);
    return ErrorObjectReply(!ImportEntry(PayloadArgument(argument)), true);
}

// The upload reads the list's first two items, its address and its parameters: one of them that is no
// string would be read as an empty text, so "export" refuses it instead of exporting and uploading with
// what the page did not send. Items after them are not used and are not examined.
bool UsedItemIsNoText(const Argument& argument)
{
    constexpr UIndex UsedItems = 2;
    GS::Ref<JS::Array> array = GS::DynamicCast<JS::Array>(argument);
    if (array == nullptr)
        return false;
    const auto& items = array->GetItemArray();
    for (UIndex i = 0; i < items.GetSize() && i < UsedItems; ++i) {
        GS::Ref<JS::Value> value = GS::DynamicCast<JS::Value>(items[i]);
        if (value == nullptr || value->GetType() != JS::Value::STRING)
            return true;
    }
    return false;
}

Reply ReplaceReply(const Argument& argument)
{
    return ErrorObjectReply(!ImportEntry(PayloadArgument(argument)), false);
}

}  // namespace

GS::UniString JsTextArgument(const GS::Ref<JS::Base>& argument)
{
    GS::Ref<JS::Value> value = GS::DynamicCast<JS::Value>(argument);
    return value != nullptr && value->GetType() == JS::Value::STRING ? value->GetString() : GS::UniString();
}

std::optional<GS::Array<GS::UniString>> JsListArgument(const GS::Ref<JS::Base>& argument)
{
    GS::Ref<JS::Array> array = GS::DynamicCast<JS::Array>(argument);
    if (array == nullptr)
        return std::nullopt;
    GS::Array<GS::UniString> list;
    for (const auto& item : array->GetItemArray())
        list.Push(JsTextArgument(item));
    return list;
}

GS::Ref<JS::Object> CreateJsCorvanaInterface()
{
    GS::Ref<JS::Object> object = new JS::Object(JsInterfaceName);
    JS::Object& js = *object;

    AddFunction(js, "import", &ImportReply, FailedWithError(true));
    AddFunction(js, "platform", [](const Argument&) { return PlatformReply(); }, FailedWithError(false));
    AddFunction(
        js, "updateStatus", [](const Argument& argument) { return TextReply(StatusReport(JsTextArgument(argument))); },
        FailedWithError(true));
    AddFunction(js, "update", &ImportReply, FailedWithError(true));
    AddFunction(js, "getCalculationData", [](const Argument&) { return TextReply(CalculationRequest()); },
                FailedWithError(true));
    AddFunction(js, "replaceMaterialUsedInConstructionSystem", &ReplaceReply, FailedWithError(false));
    AddFunction(js, "replaceSystem", &ReplaceReply, FailedWithError(false));
    AddFunction(
        js, "openExternalLink",
        [](const Argument& argument) { return ErrorObjectReply(!OpenExternalLink(JsTextArgument(argument)), false); },
        FailedWithError(false));
    AddFunction(
        js, "bulkImport",
        [](const Argument& argument) {
            if (argument == nullptr)
                return TextReply("[]");
            return TextReply(BulkReplyText(BulkImportEntry(PayloadArgument(argument))));
        },
        [] { return TextReply("[]"); });
    AddFunction(
        js, "export",
        [](const Argument& argument) {
            if (UsedItemIsNoText(argument)) {
                LogStream::Instance().Error("export refused: the page's upload address or parameters are no texts");
                return ErrorObjectReply(true, true);
            }
            return ErrorObjectReply(!ExportAndUpload(JsListArgument(argument)), true);
        },
        FailedWithError(true));
    AddFunction(
        js, "selfUpdate",
        [](const Argument& argument) { return ErrorObjectReply(!SelfUpdate(JsTextArgument(argument)), true); },
        FailedWithError(true));
    return object;
}

}  // namespace QRV
