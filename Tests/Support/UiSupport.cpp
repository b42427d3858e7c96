#include "UiSupport.hpp"
#include "SimUtf8.hpp"

namespace QRVTest {

Sim::UserInterface& Ui(Sim::Host& host) { return host.FamilyState<Sim::UserInterface>(); }

std::string ReplyText(const Sim::JsCallResult& result)
{
    if (!result.called || result.reply == nullptr)
        return "<nothing>";
    GS::Ref<JS::Value> value = GS::DynamicCast<JS::Value>(result.reply);
    if (value == nullptr)
        return "<nothing>";
    switch (value->GetType()) {
        case JS::Value::STRING:
            return Sim::Utf8(value->GetString());
        case JS::Value::INTEGER:
            return std::to_string(value->GetInteger());
        case JS::Value::UINTEGER:
            return std::to_string(value->GetUInteger());
        case JS::Value::DOUBLE:
            return std::to_string(value->GetDouble());
        case JS::Value::BOOL:
            return value->GetBool() ? "true" : "false";
        case JS::Value::DEFAULT:
            break;
    }
    return "<undefined>";
}

GS::Ref<JS::Base> JsText(const std::string& text) { return new JS::Value(Sim::Uni(text)); }
GS::Ref<JS::Base> JsNumber(Int32 number) { return new JS::Value(number); }

GS::Ref<JS::Base> JsTexts(const std::vector<std::string>& texts)
{
    GS::Ref<JS::Array> array = new JS::Array();
    for (const auto& text : texts)
        array->AddItem(JsText(text));
    return array;
}

std::vector<nlohmann::ordered_json> EventsWhere(Sim::Host& host, const std::string& kind, const std::string& field,
                                                const std::string& value)
{
    std::vector<nlohmann::ordered_json> result;
    for (const auto& event : host.GetTranscript().EventsOfKind(kind))
        if (event.contains(field) && event[field].is_string() && event[field] == value)
            result.push_back(event);
    return result;
}

const Sim::ItemState* UiFixture::PaletteItem(const GS::Guid& guid, short item)
{
    const Sim::PanelState* palette = Palette(guid);
    return palette != nullptr ? palette->Item(item) : nullptr;
}

bool UiFixture::PaletteMessage(Int32 referenceID, API_PaletteMessageID message)
{
    bool result = false;
    host->SendPaletteMessage(referenceID, message, &result);
    return result;
}

Sim::JsCallResult UiFixture::CallPage(const std::string& function, const GS::Ref<JS::Base>& argument)
{
    return ui().CallJsFunction("jsCorvanaInterface", function, argument);
}

}  // namespace QRVTest
