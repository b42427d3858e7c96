#include "HostLookups.hpp"

#include "ACAPinc.h"
#include "CorvanaClassification.hpp"
#include "PropertyWriter.hpp"
#include "AddOn/Utf8.hpp"

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

GSErrCode HostLookups::PropertyGroup(const GS::UniString& name, API_PropertyGroup& group)
{
    auto found = groups_.find(ToUtf8(name));
    if (found != groups_.end()) {
        group = found->second;
        return NoError;
    }
    const GSErrCode err = GetCorvanaPropertyGroup(group, name);
    if (err == NoError)
        groups_.emplace(ToUtf8(name), group);
    return err;
}

const API_PropertyDefinition* HostLookups::KnownDefinition(const API_Guid& group, const GS::UniString& name) const
{
    auto found = definitions_.find(DefinitionKey(group, name));
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
