#include "PropertyWriter.hpp"

#include "ACAPinc.h"
#include "AddOn/HostErrorReport.hpp"
#include "HostLookups.hpp"

namespace QRV {
namespace {

API_PropertyMeasureType MeasureTypeOf(const GS::UniString& type)
{
    if (type == "Length")
        return API_PropertyLengthMeasureType;
    if (type == "Area")
        return API_PropertyAreaMeasureType;
    if (type == "Volume")
        return API_PropertyVolumeMeasureType;
    if (type == "Angle")
        return API_PropertyAngleMeasureType;
    return API_PropertyDefaultMeasureType;
}

GS::Array<API_Guid> ClassificationItemsOfTarget(const API_Attr_Head& attrHeader, const API_Guid& elemGuid,
                                               HostLookups& lookups)
{
    GS::Array<API_Guid> items;
    const GSErrCode err = lookups.TargetItems(attrHeader, elemGuid, items);
    if (err != NoError)
        ReportHostError(err, elemGuid == APINULLGuid ? "DefineNewProperty::ACAPI_Attribute_GetClassificationItems"
                                                     : "DefineNewProperty::ACAPI_Element_GetClassificationItems");
    return items;
}

// Makes the definition available for the target's items too; the host is asked only when one is missing.
GSErrCode WidenDefinition(const GS::Array<API_Guid>& items, API_PropertyDefinition& definition)
{
    bool widened = false;
    for (const auto& item : items) {
        if (!definition.availability.Contains(item)) {
            definition.availability.Push(item);
            widened = true;
        }
    }
    if (!widened)
        return NoError;
    const GSErrCode err = ACAPI_Property_ChangePropertyDefinition(definition);
    if (err != NoError)
        ReportHostError(err, "DefineNewProperty::ACAPI_Property_ChangePropertyDefinition");
    return err;
}

// The definition already exists in the group: make it available for the target's items too, and use it.
GSErrCode WidenExistingDefinition(const API_PropertyGroup& group, const GS::Array<API_Guid>& items,
                                  API_PropertyDefinition& definition)
{
    GS::Array<API_PropertyDefinition> existing;
    GSErrCode err = ACAPI_Property_GetPropertyDefinitions(group.guid, existing);
    if (err != NoError) {
        ReportHostError(err, "DefineNewProperty::ACAPI_Property_GetPropertyDefinitions");
        return err;
    }
    for (auto& candidate : existing) {
        if (candidate.name != definition.name)
            continue;
        err = WidenDefinition(items, candidate);
        if (err != NoError)
            return err;
        definition = candidate;
    }
    return NoError;
}

}  // namespace

GSErrCode GetCorvanaPropertyGroup(API_PropertyGroup& group, const GS::UniString& groupName)
{
    group = API_PropertyGroup{};
    group.groupType = API_PropertyCustomGroupType;
    group.name = groupName;
    // The record carries no GUID yet, so the host cannot identify it: the answer is expected to be
    // APIERR_BADID, and the group is then looked up by name.
    GSErrCode err = ACAPI_Property_GetPropertyGroup(group);
    if (err != APIERR_BADID)
        return NoError;

    GS::Array<API_PropertyGroup> groups;
    err = ACAPI_Property_GetPropertyGroups(groups);
    if (err != NoError) {
        ReportHostError(err, "GetCorvanaPropertyGroup::ACAPI_Property_GetPropertyGroups");
        return err;
    }
    for (const auto& existing : groups) {
        if (existing.name == groupName) {
            group = existing;
            return NoError;
        }
    }
    err = ACAPI_Property_CreatePropertyGroup(group);
    if (err != NoError) {
        ReportHostError(err, "GetCorvanaPropertyGroup::ACAPI_Property_CreatePropertyGroup");
        return err;
    }
    return NoError;
}

API_PropertyDefinition BuildPropertyDefinition(const API_PropertyGroup& group, const PropertyTexts& property)
{
    API_PropertyDefinition definition;
    definition.groupGuid = group.guid;
    definition.name = property.name;
    definition.description = "Property description.";
    definition.collectionType = API_PropertySingleCollectionType;
    definition.valueType = API_PropertyStringValueType;
    definition.measureType = MeasureTypeOf(property.type);
    definition.defaultValue.basicValue.singleVariant.variant.type = API_PropertyStringValueType;
    definition.defaultValue.basicValue.singleVariant.variant.uniStringValue = "";
    definition.canValueBeEditable = true;
    return definition;
}

GSErrCode DefineNewProperty(const PropertyTexts& property, const API_Attr_Head& attrHeader, const API_Guid& elemGuid)
{
    HostLookups lookups;
    return DefineNewProperty(property, attrHeader, elemGuid, lookups);
}

GSErrCode DefineNewProperty(const PropertyTexts& property, const API_Attr_Head& attrHeader, const API_Guid& elemGuid,
                            HostLookups& lookups)
{
    API_PropertyGroup group;
    GSErrCode err = lookups.PropertyGroup(property.group, group);
    if (err != NoError)
        return err;

    API_PropertyDefinition definition = BuildPropertyDefinition(group, property);
    const GS::Array<API_Guid> items = ClassificationItemsOfTarget(attrHeader, elemGuid, lookups);
    if (const API_PropertyDefinition* known = lookups.KnownDefinition(group.guid, property.name)) {
        // Creating it again would be refused as a name in use; only a missing item needs the host.
        definition = *known;
        err = WidenDefinition(items, definition);
        if (err != NoError)
            return err;
        lookups.RememberDefinition(definition);
    } else {
        for (const auto& item : items)
            definition.availability.Push(item);
        err = ACAPI_Property_CreatePropertyDefinition(definition);
        if (err == APIERR_NAMEALREADYUSED) {
            err = WidenExistingDefinition(group, items, definition);
            if (err != NoError)
                return err;
            lookups.RememberDefinition(definition);
        } else if (err != NoError) {
            ReportHostError(err, "DefineNewProperty::ACAPI_Property_CreatePropertyDefinition");
        } else {
            lookups.RememberDefinition(definition);
        }
    }

    API_Property value;
    value.definition = definition;
    value.status = API_Property_HasValue;
    value.isDefault = false;
    value.value.variantStatus = API_VariantStatusNormal;
    value.value.singleVariant.variant.type = API_PropertyStringValueType;
    value.value.singleVariant.variant.uniStringValue = property.value;

    if (elemGuid == APINULLGuid) {
        err = ACAPI_Attribute_SetProperty(attrHeader, value);
        ReportHostError(err, "DefineNewProperty::ACAPI_Attribute_SetProperty");
    } else {
        err = ACAPI_Element_SetProperty(elemGuid, value);
        ReportHostError(err, "DefineNewProperty::ACAPI_Element_SetProperty");
    }
    return err;
}

}  // namespace QRV
