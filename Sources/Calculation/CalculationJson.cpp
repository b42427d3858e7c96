#include "Calculation/CalculationJson.hpp"
#include "Support/Utf8.hpp"

#include <algorithm>
#include <cmath>
#include <locale>
#include <sstream>

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

double CatalogueNumber(const GS::UniString& text)
{
    const std::string bytes = ToUtf8(text);
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    size_t at = 0;
    while (at < bytes.size() && isBlank(bytes[at]))
        ++at;
    // The number in the C locale's form, whatever mark the catalogue used and whatever locale the host runs in.
    std::string number;
    if (at < bytes.size() && (bytes[at] == '+' || bytes[at] == '-'))
        number += bytes[at++];
    size_t digits = 0;
    bool marked = false;
    for (; at < bytes.size(); ++at) {
        const char c = bytes[at];
        if (isDigit(c)) {
            number += c;
            ++digits;
        } else if ((c == '.' || c == ',') && !marked) {
            number += '.';
            marked = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return 0.0;
    // An exponent only where digits follow it; otherwise the letter begins a unit.
    if (at < bytes.size() && (bytes[at] == 'e' || bytes[at] == 'E')) {
        size_t next = at + 1;
        if (next < bytes.size() && (bytes[next] == '+' || bytes[next] == '-'))
            ++next;
        if (next < bytes.size() && isDigit(bytes[next])) {
            number += 'e';
            number.append(bytes, at + 1, next - at - 1);
            for (at = next; at < bytes.size() && isDigit(bytes[at]); ++at)
                number += bytes[at];
        }
    }
    while (at < bytes.size() && isBlank(bytes[at]))
        ++at;
    if (at < bytes.size()) {
        const char c = bytes[at];
        if (isDigit(c) || c == '.' || c == ',' || c == '+' || c == '-')
            return 0.0;
    }
    std::istringstream stream(number);
    stream.imbue(std::locale::classic());
    double value = 0.0;
    stream >> value;
    if (stream.fail() || !std::isfinite(value))
        return 0.0;
    return value;
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
