// Property groups, definitions and values, with the host's rules: names unique (groups among all groups,
// definitions within their group), values only where the definition is available (its availability holds
// one of the target's classification items), value writes only inside an undo step or a notification.
//
// Reading a value: a value set on the target answers status "has value" and isDefault false; a definition
// without one answers its default with isDefault true; a definition not available for the target answers
// status "not available" (NoError, the value undefined). Writing with isDefault true removes the target's
// value, so it reads as the default again. Element_SetProperties checks every value before it writes any.
#include "ACAPinc.h"
#include "Families/Targets.hpp"
#include "Host.hpp"
#include "UndoHistory.hpp"
#include "UndoScope.hpp"
#include "SimUtf8.hpp"

#include <algorithm>
#include <functional>
#include <vector>

namespace Sim {
namespace {

using Model::PropertyDefinition;
using Model::PropertyGroup;

Model::Project& Proj() { return TheHost().GetProject(); }
Model::Properties& Props() { return Proj().properties; }

bool IsHostName(const GS::UniString& text)
{
    return !text.IsEmpty() && IsHostText(text) && Sim::Utf8(text).find('\0') == std::string::npos;
}

API_PropertyGroup ToRecord(const PropertyGroup& group)
{
    API_PropertyGroup record;
    record.guid = group.guid;
    record.groupType = group.type;
    record.name = Sim::Uni(group.name);
    record.description = Sim::Uni(group.description);
    return record;
}

API_PropertyDefinition ToRecord(const PropertyDefinition& definition)
{
    API_PropertyDefinition record;
    record.guid = definition.guid;
    record.groupGuid = definition.group;
    record.name = Sim::Uni(definition.name);
    record.description = Sim::Uni(definition.description);
    record.definitionType = definition.type;
    record.collectionType = definition.collectionType;
    record.valueType = definition.valueType;
    record.measureType = definition.measureType;
    record.defaultValue.hasExpression = false;
    record.defaultValue.basicValue.variantStatus = API_VariantStatusNormal;
    record.defaultValue.basicValue.singleVariant.variant.type = API_PropertyStringValueType;
    record.defaultValue.basicValue.singleVariant.variant.uniStringValue =
        Sim::Uni(definition.defaultValue);
    for (const auto& item : definition.availability)
        record.availability.Push(item);
    record.canValueBeEditable = definition.canValueBeEditable;
    return record;
}

// The record's settings as a custom definition of the host (GUID aside). `self` is the definition being
// changed, whose own name does not clash with itself.
GSErrCode FromRecord(const API_PropertyDefinition& record, const API_Guid& self, PropertyDefinition* definition)
{
    const PropertyGroup* group = Props().FindGroup(record.groupGuid);
    if (record.groupGuid == APINULLGuid || group == nullptr)
        return APIERR_BADID;
    if (group->type != API_PropertyCustomGroupType)
        return APIERR_BADPARS;  // built-in groups take no custom definitions
    if (!IsHostName(record.name) || !IsHostText(record.description))
        return APIERR_BADNAME;
    if (record.definitionType != API_PropertyCustomDefinitionType)
        return APIERR_BADPARS;
    if (record.collectionType != API_PropertySingleCollectionType || record.valueType != API_PropertyStringValueType)
        return APIERR_NOTSUPPORTED;
    if (record.measureType < API_PropertyUndefinedMeasureType || record.measureType > API_PropertyAngleMeasureType)
        return APIERR_BADPARS;
    const API_PropertyValue& fallback = record.defaultValue.basicValue;
    if (record.defaultValue.hasExpression)
        return APIERR_NOTSUPPORTED;
    if (fallback.singleVariant.variant.type != API_PropertyStringValueType &&
        fallback.singleVariant.variant.type != API_PropertyUndefinedValueType)
        return APIERR_BADPARS;
    if (!IsHostText(fallback.singleVariant.variant.uniStringValue))
        return APIERR_BADPARS;
    const PropertyDefinition* clash = Props().FindDefinitionByName(record.groupGuid, Sim::Utf8(record.name));
    if (clash != nullptr && clash->guid != self)
        return APIERR_NAMEALREADYUSED;

    definition->group = record.groupGuid;
    definition->name = Sim::Utf8(record.name);
    definition->description = Sim::Utf8(record.description);
    definition->type = API_PropertyCustomDefinitionType;
    definition->collectionType = API_PropertySingleCollectionType;
    definition->valueType = API_PropertyStringValueType;
    definition->measureType = record.measureType == API_PropertyUndefinedMeasureType ? API_PropertyDefaultMeasureType
                                                                                     : record.measureType;
    definition->defaultValue = fallback.singleVariant.variant.type == API_PropertyStringValueType
                                   ? Sim::Utf8(fallback.singleVariant.variant.uniStringValue)
                                   : std::string();
    definition->availability.clear();
    for (const auto& item : record.availability) {
        if (Proj().classifications.FindItem(item) == nullptr)
            return APIERR_BADID;
        if (std::find(definition->availability.begin(), definition->availability.end(), item) ==
            definition->availability.end())
            definition->availability.push_back(item);
    }
    definition->canValueBeEditable = record.canValueBeEditable;
    return NoError;
}

// --- groups and definitions -----------------------------------------------------------------------------

GSErrCode GetPropertyGroup(API_PropertyGroup& group)
{
    const PropertyGroup* found = group.guid == APINULLGuid ? nullptr : Props().FindGroup(group.guid);
    if (found == nullptr)
        return APIERR_BADID;
    group = ToRecord(*found);
    return NoError;
}

GSErrCode GetPropertyGroups(GS::Array<API_PropertyGroup>& groups)
{
    groups.Clear();
    groups.Push(ToRecord(Model::BuiltIn::Group()));
    for (const auto& group : Props().Groups())
        groups.Push(ToRecord(group));
    return NoError;
}

GSErrCode CreatePropertyGroup(API_PropertyGroup& group)
{
    if (GSErrCode err = CheckCallScope("ACAPI_Property_CreatePropertyGroup", HostCall::UndoableModifier);
        err != NoError)
        return err;
    if (group.groupType != API_PropertyCustomGroupType)
        return APIERR_BADPARS;
    if (!IsHostName(group.name) || !IsHostText(group.description))
        return APIERR_BADNAME;
    if (Props().FindGroupByName(Sim::Utf8(group.name)) != nullptr)
        return APIERR_NAMEALREADYUSED;
    PropertyGroup created;
    if (GSErrCode err = ClaimNewGuid(group.guid, &created.guid); err != NoError)
        return err;
    created.name = Sim::Utf8(group.name);
    created.description = Sim::Utf8(group.description);
    created.type = API_PropertyCustomGroupType;
    WillChangeProperties();
    group = ToRecord(Props().AddGroup(std::move(created)));
    return NoError;
}

GSErrCode CreatePropertyDefinition(API_PropertyDefinition& definition)
{
    if (GSErrCode err = CheckCallScope("ACAPI_Property_CreatePropertyDefinition", HostCall::UndoableModifier);
        err != NoError)
        return err;
    PropertyDefinition created;
    if (GSErrCode err = FromRecord(definition, APINULLGuid, &created); err != NoError)
        return err;
    if (GSErrCode err = ClaimNewGuid(definition.guid, &created.guid); err != NoError)
        return err;
    WillChangeProperties();
    definition = ToRecord(Props().AddDefinition(std::move(created)));
    return NoError;
}

GSErrCode GetPropertyDefinitions(const API_Guid& groupGuid, GS::Array<API_PropertyDefinition>& definitions)
{
    const bool all = groupGuid == APINULLGuid;
    if (!all && Props().FindGroup(groupGuid) == nullptr)
        return APIERR_BADID;
    definitions.Clear();
    for (const auto& definition : Model::BuiltIn::Definitions())
        if (all || definition.group == groupGuid)
            definitions.Push(ToRecord(definition));
    if (all) {
        for (const auto& definition : Props().Definitions())
            definitions.Push(ToRecord(definition));
    } else {
        for (const PropertyDefinition* definition : Props().DefinitionsOf(groupGuid))
            definitions.Push(ToRecord(*definition));
    }
    return NoError;
}

GSErrCode ChangePropertyDefinition(const API_PropertyDefinition& definition)
{
    if (GSErrCode err = CheckCallScope("ACAPI_Property_ChangePropertyDefinition", HostCall::UndoableModifier);
        err != NoError)
        return err;
    if (Model::BuiltIn::FindDefinition(definition.guid) != nullptr)
        return APIERR_BADPARS;  // the host's own definitions cannot be changed
    const PropertyDefinition* existing =
        definition.guid == APINULLGuid ? nullptr : Props().FindCustomDefinition(definition.guid);
    if (existing == nullptr)
        return APIERR_BADID;
    PropertyDefinition changed = *existing;
    if (GSErrCode err = FromRecord(definition, existing->guid, &changed); err != NoError)
        return err;
    WillChangeProperties();
    Props().ChangeDefinition(std::move(changed));
    return NoError;
}

GSErrCode GetPropertyValueString(const API_Property& property, GS::UniString* valueString)
{
    if (valueString == nullptr || property.status != API_Property_HasValue)
        return APIERR_BADPARS;
    if (property.value.variantStatus != API_VariantStatusNormal) {
        *valueString = GS::UniString();
        return NoError;
    }
    const API_Variant& variant = property.value.singleVariant.variant;
    switch (variant.type) {
        case API_PropertyStringValueType: *valueString = variant.uniStringValue; return NoError;
        case API_PropertyIntegerValueType:
            *valueString = Sim::Uni(std::to_string(variant.intValue));
            return NoError;
        case API_PropertyGuidValueType: *valueString = APIGuidToString(variant.guidValue); return NoError;
        default: return APIERR_NOTSUPPORTED;  // the host holds no values of other types
    }
}

// --- values ---------------------------------------------------------------------------------------------

struct Target {
    Model::AttachedData* attached = nullptr;
    const Model::BuildingMaterial* material = nullptr;  // the built-in definitions apply to building materials
    // Who the target is, for the undo step: an element's GUID, else the attribute's type and index.
    API_Guid element{};
    API_AttrTypeID attributeType = API_ZombieAttrID;
    Int32 attributeIndex = 0;
};

void WillChange(const Target& target)
{
    if (target.element != APINULLGuid)
        WillChangeElement(target.element);
    else
        WillChangeAttachedData(target.attributeType, target.attributeIndex);
}

GSErrCode AttributeTarget(const API_Attr_Head& head, Target* target)
{
    Model::AttributeCommon* attribute = nullptr;
    if (GSErrCode err = FindTargetAttribute(&head, &attribute); err != NoError)
        return err;
    target->attached = &attribute->attached;
    target->attributeType = head.typeID;
    target->attributeIndex = attribute->index;
    if (head.typeID == API_BuildingMaterialID)
        target->material = static_cast<const Model::BuildingMaterial*>(attribute);
    return NoError;
}

GSErrCode ElementTarget(const API_Guid& guid, Target* target)
{
    Model::Element* element = nullptr;
    if (GSErrCode err = FindTargetElement(&guid, &element); err != NoError)
        return err;
    target->attached = &element->attached;
    target->element = guid;
    return NoError;
}

bool Applies(const PropertyDefinition& definition, const Target& target)
{
    if (definition.type != API_PropertyCustomDefinitionType)
        return target.material != nullptr;
    return definition.IsAvailableFor(target.attached->ClassificationItems());
}

void PutText(API_PropertyValue& value, const std::string& text)
{
    value.variantStatus = API_VariantStatusNormal;
    value.singleVariant.variant = API_Variant{};
    value.singleVariant.variant.type = API_PropertyStringValueType;
    value.singleVariant.variant.uniStringValue = Sim::Uni(text);
}

GSErrCode ReadValue(const Target& target, const API_Guid& definitionGuid, API_Property& property)
{
    const PropertyDefinition* definition = Props().FindDefinition(definitionGuid);
    if (definition == nullptr)
        return APIERR_BADID;
    property = API_Property{};
    property.definition = ToRecord(*definition);
    property.isDefault = false;
    if (!Applies(*definition, target)) {
        property.status = API_Property_NotAvailable;
        property.value.variantStatus = API_VariantStatusNull;
        return NoError;
    }
    property.status = API_Property_HasValue;
    if (definition->type != API_PropertyCustomDefinitionType) {
        const bool description = definition->guid == Model::BuiltIn::BuildingMaterialDescription;
        PutText(property.value, description ? target.material->description : target.material->manufacturer);
        return NoError;
    }
    auto stored = target.attached->propertyValues.find(definition->guid);
    property.isDefault = stored == target.attached->propertyValues.end();
    PutText(property.value, property.isDefault ? definition->defaultValue : stored->second.value);
    return NoError;
}

// Checks one value for the target; on NoError `apply` makes the change.
GSErrCode CheckValue(const Target& target, const API_Property& property, std::function<void()>* apply)
{
    const PropertyDefinition* definition = Props().FindDefinition(property.definition.guid);
    if (definition == nullptr)
        return APIERR_BADID;
    if (definition->type != API_PropertyCustomDefinitionType || !definition->canValueBeEditable)
        return APIERR_BADPARS;
    if (!Applies(*definition, target))
        return APIERR_BADPARS;
    const API_Guid guid = definition->guid;
    Model::AttachedData* attached = target.attached;
    if (property.isDefault) {
        *apply = [attached, guid] { attached->propertyValues.erase(guid); };
        return NoError;
    }
    const API_Variant& variant = property.value.singleVariant.variant;
    if (property.value.variantStatus != API_VariantStatusNormal || variant.type != API_PropertyStringValueType ||
        !IsHostText(variant.uniStringValue))
        return APIERR_BADPARS;
    const std::string text = Sim::Utf8(variant.uniStringValue);
    *apply = [attached, guid, text] { attached->propertyValues[guid] = Model::PropertyValueRecord{text}; };
    return NoError;
}

GSErrCode WriteValues(const Target& target, const std::vector<const API_Property*>& properties)
{
    std::vector<std::function<void()>> changes(properties.size());
    for (size_t i = 0; i < properties.size(); ++i)
        if (GSErrCode err = CheckValue(target, *properties[i], &changes[i]); err != NoError)
            return err;
    WillChange(target);
    for (const auto& change : changes)
        change();
    return NoError;
}

// Our built-in definitions are the user-level ones of building materials; the host has no fundamental ones
// for the kinds it holds.
GSErrCode AttributeGetPropertyDefinitions(const API_Attr_Head& attrHead, API_PropertyDefinitionFilter filter,
                                          GS::Array<API_PropertyDefinition>& definitions)
{
    bool builtIn = false, userDefined = false;
    switch (filter) {
        case API_PropertyDefinitionFilter_UserDefined: userDefined = true; break;
        case API_PropertyDefinitionFilter_FundamentalBuiltIn: break;
        case API_PropertyDefinitionFilter_UserLevelBuiltIn: builtIn = true; break;
        case API_PropertyDefinitionFilter_All: builtIn = userDefined = true; break;
        default: return APIERR_BADPARS;
    }
    Target target;
    if (GSErrCode err = AttributeTarget(attrHead, &target); err != NoError)
        return err;
    definitions.Clear();
    if (builtIn)
        for (const auto& definition : Model::BuiltIn::Definitions())
            if (Applies(definition, target))
                definitions.Push(ToRecord(definition));
    if (userDefined)
        for (const auto& definition : Props().Definitions())
            if (Applies(definition, target))
                definitions.Push(ToRecord(definition));
    return NoError;
}

// The attribute and element functions differ only in how they find their target.
template <typename Key>
using TargetOf = GSErrCode (*)(const Key&, Target*);

template <typename Key>
GSErrCode ReadTargetValue(TargetOf<Key> resolve, const Key& key, const API_Guid& definitionGuid,
                          API_Property& property)
{
    Target target;
    if (GSErrCode err = resolve(key, &target); err != NoError)
        return err;
    return ReadValue(target, definitionGuid, property);
}

template <typename Key>
GSErrCode WriteTargetValues(const char* function, TargetOf<Key> resolve, const Key& key,
                            const std::vector<const API_Property*>& properties)
{
    if (GSErrCode err = CheckCallScope(function, HostCall::UndoableModifier); err != NoError)
        return err;
    Target target;
    if (GSErrCode err = resolve(key, &target); err != NoError)
        return err;
    return WriteValues(target, properties);
}

GSErrCode AttributeGetPropertyValue(const API_Attr_Head& attrHead, const API_Guid& propertyDefinitionGuid,
                                    API_Property& property)
{
    return ReadTargetValue(&AttributeTarget, attrHead, propertyDefinitionGuid, property);
}

GSErrCode AttributeSetProperty(const API_Attr_Head& attrHead, const API_Property& property)
{
    return WriteTargetValues("ACAPI_Attribute_SetProperty", &AttributeTarget, attrHead, {&property});
}

GSErrCode ElementGetPropertyValue(const API_Guid& elemGuid, const API_Guid& propertyDefinitionGuid,
                                  API_Property& property)
{
    return ReadTargetValue(&ElementTarget, elemGuid, propertyDefinitionGuid, property);
}

GSErrCode ElementSetProperty(const API_Guid& elemGuid, const API_Property& property)
{
    return WriteTargetValues("ACAPI_Element_SetProperty", &ElementTarget, elemGuid, {&property});
}

GSErrCode ElementSetProperties(const API_Guid& elemGuid, const GS::Array<API_Property>& properties)
{
    std::vector<const API_Property*> list;
    for (const auto& property : properties)
        list.push_back(&property);
    return WriteTargetValues("ACAPI_Element_SetProperties", &ElementTarget, elemGuid, list);
}

}  // namespace
}  // namespace Sim

SIM_FAMILY(Properties)
{
    using namespace Sim;
    SIM_BIND(table, Property_GetPropertyGroup, &GetPropertyGroup);
    SIM_BIND(table, Property_GetPropertyGroups, &GetPropertyGroups);
    SIM_BIND(table, Property_CreatePropertyGroup, &CreatePropertyGroup);
    SIM_BIND(table, Property_CreatePropertyDefinition, &CreatePropertyDefinition);
    SIM_BIND(table, Property_GetPropertyDefinitions, &GetPropertyDefinitions);
    SIM_BIND(table, Property_ChangePropertyDefinition, &ChangePropertyDefinition);
    SIM_BIND(table, Property_GetPropertyValueString, &GetPropertyValueString);
    SIM_BIND(table, Attribute_GetPropertyDefinitions, &AttributeGetPropertyDefinitions);
    SIM_BIND(table, Attribute_GetPropertyValue, &AttributeGetPropertyValue);
    SIM_BIND(table, Attribute_SetProperty, &AttributeSetProperty);
    SIM_BIND(table, Element_GetPropertyValue, &ElementGetPropertyValue);
    SIM_BIND(table, Element_SetProperty, &ElementSetProperty);
    SIM_BIND(table, Element_SetProperties, &ElementSetProperties);
}
