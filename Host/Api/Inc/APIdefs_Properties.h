// Property groups, definitions and values.
#pragma once

#include "APIdefs_Base.h"
#include "Array.hpp"

enum API_PropertyGroupType : Int32 {
    API_PropertyUndefinedGroupType = 0,
    API_PropertyStaticBuiltInGroupType = 1,
    API_PropertyDynamicBuiltInGroupType = 2,
    API_PropertyCustomGroupType = 3,
};

struct API_PropertyGroup {
    API_Guid guid{};
    API_PropertyGroupType groupType = API_PropertyUndefinedGroupType;
    GS::UniString name;
    GS::UniString description;
};

enum API_PropertyDefinitionType : Int32 {
    API_PropertyUndefinedDefinitionType = 0,
    API_PropertyStaticBuiltInDefinitionType = 1,
    API_PropertyDynamicBuiltInDefinitionType = 2,
    API_PropertyCustomDefinitionType = 3,
};

enum API_PropertyCollectionType : Int32 {
    API_PropertyUndefinedCollectionType = 0,
    API_PropertySingleCollectionType = 1,
    API_PropertyListCollectionType = 2,
    API_PropertySingleChoiceEnumerationCollectionType = 3,
    API_PropertyMultipleChoiceEnumerationCollectionType = 4,
};

enum API_VariantType : Int32 {
    API_PropertyUndefinedValueType = 0,
    API_PropertyIntegerValueType = 1,
    API_PropertyRealValueType = 2,
    API_PropertyStringValueType = 3,
    API_PropertyBooleanValueType = 4,
    API_PropertyGuidValueType = 5,
};

enum API_PropertyMeasureType : Int32 {
    API_PropertyUndefinedMeasureType = 0,
    API_PropertyDefaultMeasureType = 1,
    API_PropertyLengthMeasureType = 2,
    API_PropertyAreaMeasureType = 3,
    API_PropertyVolumeMeasureType = 4,
    API_PropertyAngleMeasureType = 5,
};

struct API_Variant {
    API_VariantType type = API_PropertyUndefinedValueType;
    Int32 intValue = 0;
    double doubleValue = 0.0;
    bool boolValue = false;
    GS::UniString uniStringValue;
    API_Guid guidValue{};
};

struct API_SingleVariant {
    API_Variant variant;
};

enum API_VariantStatus : Int32 {
    API_VariantStatusNull = 0,
    API_VariantStatusUserUndefined = 1,
    API_VariantStatusNormal = 2,
};

struct API_PropertyValue {
    API_VariantStatus variantStatus = API_VariantStatusNormal;
    API_SingleVariant singleVariant;
};

struct API_PropertyDefaultValue {
    bool hasExpression = false;
    API_PropertyValue basicValue;
};

struct API_PropertyDefinition {
    API_Guid guid{};
    API_Guid groupGuid{};
    GS::UniString name;
    GS::UniString description;
    API_PropertyDefinitionType definitionType = API_PropertyCustomDefinitionType;
    API_PropertyCollectionType collectionType = API_PropertyUndefinedCollectionType;
    API_VariantType valueType = API_PropertyUndefinedValueType;
    API_PropertyMeasureType measureType = API_PropertyUndefinedMeasureType;
    API_PropertyDefaultValue defaultValue;
    GS::Array<API_Guid> availability;  // classification items for which the property is available
    bool canValueBeEditable = true;
};

enum API_PropertyStatus : Int32 {
    API_Property_NotAvailable = 0,
    API_Property_NotEvaluated = 1,
    API_Property_HasValue = 2,
};

struct API_Property {
    API_PropertyDefinition definition;
    API_PropertyStatus status = API_Property_NotAvailable;
    bool isDefault = false;
    API_PropertyValue value;
};

enum API_PropertyDefinitionFilter : Int32 {
    API_PropertyDefinitionFilter_UserDefined = 1,
    API_PropertyDefinitionFilter_BuiltIn = 2,
    API_PropertyDefinitionFilter_All = 3,
};
