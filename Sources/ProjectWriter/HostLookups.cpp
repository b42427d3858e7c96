#include "HostLookups.hpp"

#include "ACAPinc.h"
#include "Support/HostErrorReport.hpp"
#include "Support/LogStream.hpp"
#include "CorvanaClassification.hpp"
#include "Support/Utf8.hpp"

namespace QRV {
namespace {

std::string GuidKey(const API_Guid& guid) { return ToUtf8(APIGuidToString(guid)); }

std::string DefinitionKey(const API_Guid& group, const GS::UniString& name)
{
    return GuidKey(group) + "/" + ToUtf8(name);
}

std::string TargetKey(const API_Attr_Head& attrHeader, const API_Guid& elemGuid)
{
    if (elemGuid != APINULLGuid)
        return "element " + GuidKey(elemGuid);
    return "attribute " + std::to_string(static_cast<int>(attrHeader.typeID)) + " " +
           std::to_string(attrHeader.index.ToInt32_Deprecated()) + " " + std::string(attrHeader.name);
}

}  // namespace

GSErrCode HostLookups::ListGroups()
{
    if (groupsListed_)
        return NoError;
    GS::Array<API_PropertyGroup> groups;
    const GSErrCode err = ACAPI_Property_GetPropertyGroups(groups);
    if (err != NoError) {
        ReportHostError(err, "GetCorvanaPropertyGroup::ACAPI_Property_GetPropertyGroups");
        return err;
    }
    // Names are unique among the host's groups; should two ever share one, the first listed is used.
    for (const API_PropertyGroup& group : groups)
        groups_.emplace(ToUtf8(group.name), group);
    groupsListed_ = true;
    return NoError;
}

bool HostLookups::IsHostOwnGroup(const GS::UniString& name)
{
    if (ListGroups() != NoError)
        return false;
    auto found = groups_.find(ToUtf8(name));
    return found != groups_.end() && found->second.groupType != API_PropertyCustomGroupType;
}

GSErrCode HostLookups::PropertyGroup(const GS::UniString& name, API_PropertyGroup& group)
{
    GSErrCode err = ListGroups();
    if (err != NoError)
        return err;
    const std::string key = ToUtf8(name);
    auto found = groups_.find(key);
    if (found != groups_.end()) {
        if (found->second.groupType != API_PropertyCustomGroupType) {
            LogStream::Instance().Error("DefineNewProperty: refused the group \"" + key +
                                        "\": the host keeps that name for a group of its own");
            return APIERR_BADNAME;
        }
        group = found->second;
        return NoError;
    }
    group = API_PropertyGroup{};
    group.groupType = API_PropertyCustomGroupType;
    group.name = name;
    err = ACAPI_Property_CreatePropertyGroup(group);
    if (err != NoError) {
        ReportHostError(err, "GetCorvanaPropertyGroup::ACAPI_Property_CreatePropertyGroup");
        return err;
    }
    groups_.emplace(key, group);
    // A group just made holds no definitions but those this run makes in it.
    groupsWithKnownDefinitions_.insert(GuidKey(group.guid));
    return NoError;
}

const API_PropertyDefinition* HostLookups::Definition(const API_PropertyGroup& group, const GS::UniString& name,
                                                      GSErrCode& err)
{
    err = NoError;
    const std::string groupKey = GuidKey(group.guid);
    if (groupsWithKnownDefinitions_.count(groupKey) == 0) {
        GS::Array<API_PropertyDefinition> existing;
        err = ACAPI_Property_GetPropertyDefinitions(group.guid, existing);
        if (err != NoError) {
            ReportHostError(err, "DefineNewProperty::ACAPI_Property_GetPropertyDefinitions");
            return nullptr;
        }
        for (const API_PropertyDefinition& definition : existing)
            definitions_.emplace(DefinitionKey(definition.groupGuid, definition.name), definition);
        groupsWithKnownDefinitions_.insert(groupKey);
    }
    auto found = definitions_.find(DefinitionKey(group.guid, name));
    return found == definitions_.end() ? nullptr : &found->second;
}

void HostLookups::RememberDefinition(const API_PropertyDefinition& definition)
{
    if (definition.guid == APINULLGuid)
        return;
    definitions_[DefinitionKey(definition.groupGuid, definition.name)] = definition;
}

API_Guid HostLookups::ClassificationItem()
{
    if (classificationItem_ == APINULLGuid)
        classificationItem_ = GetCorvanaClassificationItem();
    return classificationItem_;
}

GSErrCode HostLookups::TargetItems(const API_Attr_Head& attrHeader, const API_Guid& elemGuid, GS::Array<API_Guid>& items)
{
    const std::string key = TargetKey(attrHeader, elemGuid);
    if (target_ && target_->key == key) {
        items = target_->items;
        return NoError;
    }
    target_.reset();
    GS::Array<GS::Pair<API_Guid, API_Guid>> pairs;
    const GSErrCode err = elemGuid == APINULLGuid ? ACAPI_Attribute_GetClassificationItems(attrHeader, pairs)
                                                  : ACAPI_Element_GetClassificationItems(elemGuid, pairs);
    items.Clear();
    if (err != NoError)
        return err;
    for (const auto& pair : pairs)
        items.Push(pair.second);
    target_ = Target{key, items};
    return NoError;
}

}  // namespace QRV
