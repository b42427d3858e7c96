#include "PropertyWriter.hpp"

#include "ACAPinc.h"
#include "Support/HostErrorReport.hpp"
#include "HostLookups.hpp"
#include "Support/LogStream.hpp"
#include "Support/Utf8.hpp"
#include "Parsing/PropertyNames.hpp"

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
    HostLookups lookups;
    return lookups.PropertyGroup(groupName, group);
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

GSErrCode RefusedPropertyName(const PropertyTexts& property, HostLookups& lookups)
{
    // Reading a catalogue item refuses such names already; stored lists and other callers meet the same
    // rule here, before the host is asked to write anything.
    const char* reason = nullptr;
    if (PropertyNameProblem(property.group) || PropertyNameProblem(property.name))
        reason = "the host does not take its name";
    else if (lookups.IsHostOwnGroup(property.group))
        reason = "the host keeps the group's name for a group of its own";
    if (reason == nullptr)
        return NoError;
    LogStream::Instance().Error("DefineNewProperty: refused the property \"" + ToUtf8(property.name) +
                                "\" of the group \"" + ToUtf8(property.group) + "\": " + reason);
    return APIERR_BADNAME;
}

GSErrCode DefineNewProperty(const PropertyTexts& property, const API_Attr_Head& attrHeader, const API_Guid& elemGuid)
{
    HostLookups lookups;
    return DefineNewProperty(property, attrHeader, elemGuid, lookups);
}

GSErrCode DefineNewProperty(const PropertyTexts& property, const API_Attr_Head& attrHeader, const API_Guid& elemGuid,
                            HostLookups& lookups)
{
    if (const GSErrCode refused = RefusedPropertyName(property, lookups); refused != NoError)
        return refused;
    API_PropertyGroup group;
    GSErrCode err = lookups.PropertyGroup(property.group, group);
    if (err != NoError)
        return err;

    API_PropertyDefinition definition = BuildPropertyDefinition(group, property);
    const GS::Array<API_Guid> items = ClassificationItemsOfTarget(attrHeader, elemGuid, lookups);
    const API_PropertyDefinition* known = lookups.Definition(group, property.name, err);
    if (err != NoError)
        return err;
    if (known != nullptr) {
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
            // Made by someone else since the run listed the group.
            err = WidenExistingDefinition(group, items, definition);
            if (err != NoError)
                return err;
        } else if (err != NoError) {
            // Without a definition there is nothing to write the value to.
            ReportHostError(err, "DefineNewProperty::ACAPI_Property_CreatePropertyDefinition");
            return err;
        }
        lookups.RememberDefinition(definition);
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
