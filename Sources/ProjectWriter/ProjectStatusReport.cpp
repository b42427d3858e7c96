#include "ProjectWriter/ProjectStatusReport.hpp"

#include "ACAPinc.h"
#include "Support/LogStream.hpp"
#include "GSDebug.hpp"
#include "Parsing/PayloadReading.hpp"
#include "ProjectWriter/StoredTexts.hpp"
#include "Support/Utf8.hpp"

#include <climits>
#include <cstdlib>
#include <exception>

namespace QRV {
namespace {

constexpr const char* RequestList = "materials_and_products";

// A string is read as its leading decimal number, an integer as it is; anything else says nothing.
Int64 StoredStamp(const Json& value)
{
    if (value.is_string()) {
        const std::string text = value.get<std::string>();
        long long stamp = std::strtoll(text.c_str(), nullptr, 10);
        return static_cast<Int64>(stamp);
    }
    if (value.is_number_unsigned()) {
        const UInt64 stamp = value.get<UInt64>();
        return stamp > static_cast<UInt64>(LLONG_MAX) ? LLONG_MAX : static_cast<Int64>(stamp);
    }
    if (value.is_number_integer())
        return value.get<Int64>();
    return 0;
}

std::string TextMember(const Json& record, const char* key, const char* missing)
{
    auto member = record.find(key);
    if (member == record.end())
        return missing;
    return member->is_string() ? member->get<std::string>() : std::string();
}

// The text conversion, or nothing for a value it refuses (booleans, objects).
std::optional<GS::UniString> IdText(const Json& id)
{
    try {
        return Payload::Text(id);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<ProjectStatusReport::CurrentStamp> ProjectStatusReport::ReadCurrentStamp(const Json& item,
                                                                                       std::string& problem)
{
    std::optional<GS::UniString> id;
    if (!item.is_object() || !item.contains("id") || !item.contains("update_at")) {
        problem = "not an object with \"id\" and \"update_at\"";
    } else if (!(id = IdText(item["id"]))) {
        problem = std::string("\"id\" is ") + item["id"].type_name() + ", not a text or number";
    } else {
        try {
            return CurrentStamp{*id, Payload::Int64Number(item["update_at"])};
        } catch (const std::exception& e) {
            problem = std::string("\"update_at\" is no whole number (") + e.what() + ")";
        }
    }
    return std::nullopt;
}

std::optional<ProjectStatusReport> ProjectStatusReport::FromRequest(const GS::UniString& text)
{
    const Json request = Json::parse(ToUtf8(text), nullptr, false);
    std::string problem;
    if (request.is_discarded() || !request.is_object())
        problem = "the request is not a JSON object";
    else if (!request.contains(RequestList) || !request[RequestList].is_array())
        problem = std::string("the request has no list \"") + RequestList + "\"";

    if (!problem.empty()) {
        LogStream::Instance().Error("updateStatus: " + problem + "; nothing reported");
        return std::nullopt;
    }

    // One broken element of the list says nothing about the others: it is left out, and the rest are
    // answered. The first few are named in the log, the rest counted, so a long broken list cannot fill
    // the disk with lines.
    constexpr size_t NamedSkips = 10;
    ProjectStatusReport report;
    size_t position = 0;
    size_t skipped = 0;
    for (const Json& item : request[RequestList]) {
        std::string itemProblem;
        if (std::optional<CurrentStamp> current = ReadCurrentStamp(item, itemProblem)) {
            report.current_.push_back(*current);
        } else if (++skipped <= NamedSkips) {
            LogStream::Instance().Warning("updateStatus: " + std::string(RequestList) + "[" +
                                          std::to_string(position) + "]: " + itemProblem + "; skipped");
        }
        ++position;
    }
    if (skipped > NamedSkips)
        LogStream::Instance().Warning("updateStatus: " + std::to_string(skipped - NamedSkips) +
                                      " more elements of " + RequestList + " skipped");
    for (const CurrentStamp& current : report.current_) {
        auto [held, added] = report.newest_.emplace(ToUtf8(current.idText), current.updateAt);
        if (!added && held->second < current.updateAt)
            held->second = current.updateAt;
    }
    return report;
}

void ProjectStatusReport::AddIfOutdated(const std::string& storedText, bool onlyCatalogueGroup, nlohmann::json& ids) const
{
    if (storedText.empty())
        return;
    const Json list = Json::parse(storedText, nullptr, false);
    if (list.is_discarded() || !list.is_array()) {
        DBPrintf("updateStatus: a stored property list is not a JSON list; skipped\n");
        return;
    }
    const Json* storedId = nullptr;
    Int64 storedStamp = 0;
    for (const Json& property : list) {
        if (!property.is_object() || !property.contains("value"))
            continue;
        if (onlyCatalogueGroup && TextMember(property, "group", "Corvana") != "Corvana")
            continue;
        const std::string name = TextMember(property, "name", "");
        if (name == "id")
            storedId = &property["value"];
        else if (name == "updated_at")
            storedStamp = StoredStamp(property["value"]);
    }
    if (storedId == nullptr)
        return;
    const std::optional<GS::UniString> storedIdText = IdText(*storedId);
    if (!storedIdText)
        return;
    auto newest = newest_.find(ToUtf8(*storedIdText));
    if (newest != newest_.end() && storedStamp < newest->second)
        ids.push_back(*storedId);
}

nlohmann::json ProjectStatusReport::OutdatedItems() const
{
    nlohmann::json ids = OutdatedAttributes(API_BuildingMaterialID);
    for (const auto& part : {OutdatedAttributes(API_CompWallID), OutdatedProducts()})
        for (const auto& id : part)
            ids.push_back(id);
    return ids;
}

nlohmann::json ProjectStatusReport::OutdatedAttributes(API_AttrTypeID typeID) const
{
    nlohmann::json ids = nlohmann::json::array();
    // The host's list: indices may have gaps, and the count of attributes is no highest index.
    GS::Array<API_Attribute> attributes;
    if (ACAPI_Attribute_GetAttributesByType(typeID, attributes) != NoError)
        return ids;
    for (const API_Attribute& attribute : attributes) {
        std::string text;
        if (GetUserData(attribute, text) != NoError)
            continue;
        AddIfOutdated(text, false, ids);
    }
    return ids;
}

nlohmann::json ProjectStatusReport::OutdatedProducts() const
{
    nlohmann::json ids = nlohmann::json::array();
    GS::Array<GS::UniString> entries;
    if (ACAPI_ModulData_GetList(&entries) != NoError)
        return ids;
    for (const GS::UniString& entry : entries) {
        std::string text;
        if (ReadModuleDataEntry(entry, text))
            AddIfOutdated(text, true, ids);
    }
    return ids;
}

}  // namespace QRV
