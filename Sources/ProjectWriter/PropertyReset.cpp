#include "PropertyReset.hpp"

#include "ACAPinc.h"
#include "Support/HostErrorReport.hpp"
#include "Support/Utf8.hpp"
#include "PropertyRuns.hpp"
#include "StoredTexts.hpp"

#include <set>
#include <string>
#include <utility>

namespace QRV {
namespace {

constexpr const char* CatalogueGroup = "Corvana";

using PropertyKey = std::pair<std::string, std::string>;  // group, name

PropertyKey KeyOf(const GS::UniString& group, const GS::UniString& name) { return {ToUtf8(group), ToUtf8(name)}; }

// The list stamped onto the element before, as its user data recorded it; empty when it has none.
CorvanaProperties FormerList(const API_Guid& elemGuid, bool* recorded)
{
    CorvanaProperties former;
    std::string text;
    *recorded = GetElementUserData(elemGuid, text) == NoError && !text.empty();
    if (*recorded)
        ParseStoredProperties(text, former, "User data of element {" + ToUtf8(APIGuidToString(elemGuid)) + "}");
    return former;
}

// Sets the named definitions of the existing groups to their defaults on the element, for those available
// for one of its classification items (the host refuses the others). Only reads when none applies.
void ResetToDefaults(const API_Guid& elemGuid, const std::set<PropertyKey>& keys, bool wholeCatalogueGroup)
{
    std::set<std::string> groupNames;
    for (const PropertyKey& key : keys)
        groupNames.insert(key.first);
    if (wholeCatalogueGroup)
        groupNames.insert(CatalogueGroup);
    if (groupNames.empty())
        return;

    GS::Array<API_PropertyGroup> groups;
    GSErrCode err = ACAPI_Property_GetPropertyGroups(groups);
    if (err != NoError) {
        ReportHostError(err, "SetDefaultValuesForCorvanaProperties::ACAPI_Property_GetPropertyGroups");
        return;
    }
    GS::Array<GS::Pair<API_Guid, API_Guid>> classification;
    ACAPI_Element_GetClassificationItems(elemGuid, classification);

    GS::Array<API_Property> defaults;
    for (const API_PropertyGroup& group : groups) {
        const std::string groupName = ToUtf8(group.name);
        if (group.groupType != API_PropertyCustomGroupType || groupNames.count(groupName) == 0)
            continue;
        const bool wholeGroup = wholeCatalogueGroup && groupName == CatalogueGroup;
        GS::Array<API_PropertyDefinition> definitions;
        err = ACAPI_Property_GetPropertyDefinitions(group.guid, definitions);
        if (err != NoError) {
            ReportHostError(err, "DefineNewProperty::ACAPI_Property_GetPropertyDefinitions");
            continue;
        }
        for (const API_PropertyDefinition& definition : definitions) {
            if (!wholeGroup && keys.count(KeyOf(group.name, definition.name)) == 0)
                continue;
            for (const auto& pair : classification) {
                if (!definition.availability.Contains(pair.second))
                    continue;
                API_Property property;
                property.definition = definition;
                property.isDefault = true;
                defaults.Push(property);
                break;
            }
        }
    }
    if (defaults.IsEmpty())
        return;
    err = ACAPI_Element_SetProperties(elemGuid, defaults);
    if (err != NoError)
        ReportHostError(err, "SetDefaultValuesForCorvanaProperties::ACAPI_Element_SetProperties");
}

}  // namespace

void ResetFormerCatalogueProperties(const API_Guid& elemGuid)
{
    bool recorded = false;
    const CorvanaProperties former = FormerList(elemGuid, &recorded);
    std::set<PropertyKey> keys;
    for (const CorvanaProperty& property : former.All())
        keys.insert(KeyOf(property.GetGroup(), property.GetName()));
    // Elements stamped before their list was recorded carry catalogue values in the group "Corvana" only
    // as far as the add-on can tell, so that group is reset whole, as it always was.
    ResetToDefaults(elemGuid, keys, true);
    if (recorded)
        SetElementUserData(elemGuid, std::string());
}

void ResetPropertiesNotIn(const API_Guid& elemGuid, const CorvanaProperties& successor)
{
    bool recorded = false;
    const CorvanaProperties former = FormerList(elemGuid, &recorded);
    if (!recorded)
        return;
    std::set<PropertyKey> kept;
    for (const CorvanaProperty& property : successor.All())
        kept.insert(KeyOf(property.GetGroup(), property.GetName()));
    std::set<PropertyKey> keys;
    for (const CorvanaProperty& property : former.All()) {
        PropertyKey key = KeyOf(property.GetGroup(), property.GetName());
        if (kept.count(key) == 0)
            keys.insert(std::move(key));
    }
    ResetToDefaults(elemGuid, keys, false);
}

}  // namespace QRV
