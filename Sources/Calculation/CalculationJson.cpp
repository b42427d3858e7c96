#include "Calculation/CalculationJson.hpp"
#include "AddOn/Utf8.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace QRV::CalculationJson {
namespace {

std::string TextMember(const nlohmann::json& record, const char* key)
{
    auto member = record.find(key);
    return member != record.end() && member->is_string() ? member->get<std::string>() : std::string();
}

Int32 CompareIgnoringCase(const nlohmann::json& a, const nlohmann::json& b, const char* key)
{
    switch (FromUtf8(TextMember(a, key)).Compare(FromUtf8(TextMember(b, key)), GS::UniString::CaseInsensitive)) {
        case GS::UniString::Less: return -1;
        case GS::UniString::Greater: return 1;
        default: return 0;
    }
}

}  // namespace

nlohmann::json Properties(const CorvanaProperties& properties, const char* onlyGroup)
{
    nlohmann::json list = nlohmann::json::array();
    for (const CorvanaProperty& property : properties.All()) {
        if (onlyGroup != nullptr && property.GetGroup() != GS::UniString(onlyGroup))
            continue;
        list.push_back({{"group", ToUtf8(property.GetGroup())},
                        {"name", ToUtf8(property.GetName())},
                        {"type", ToUtf8(property.GetType())},
                        {"unit", ToUtf8(property.GetUnit())},
                        {"value", ToUtf8(property.GetValue())}});
    }
    return list;
}

std::string GuidText(const API_Guid& guid) { return ToUtf8(APIGuidToString(guid)); }

double LeadingNumber(const GS::UniString& text)
{
    const std::string bytes = ToUtf8(text);
    const char* start = bytes.c_str();
    char* end = nullptr;
    const double number = std::strtod(start, &end);
    if (end == start || !std::isfinite(number))
        return 0.0;
    return number;
}

void SortByTextIgnoringCase(nlohmann::json& records, const char* key)
{
    std::stable_sort(records.begin(), records.end(), [key](const nlohmann::json& a, const nlohmann::json& b) {
        return CompareIgnoringCase(a, b, key) < 0;
    });
}

void SortSystemRecords(nlohmann::json& records)
{
    std::stable_sort(records.begin(), records.end(), [](const nlohmann::json& a, const nlohmann::json& b) {
        const Int32 byName = CompareIgnoringCase(a, b, "name");
        if (byName != 0)
            return byName < 0;
        return TextMember(a, "subtype") < TextMember(b, "subtype");
    });
}

std::string DocumentText(const nlohmann::json& document)
{
    return document.dump(1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace QRV::CalculationJson
