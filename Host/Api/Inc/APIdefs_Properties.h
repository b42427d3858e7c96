// Property groups, definitions and values. Unlike most host records these have constructors, which give
// the host's defaults.
#pragma once

#include "APIdefs_Environment.h"
#include "API_Guid.hpp"
#include "Array.hpp"
#include "UniString.hpp"

typedef enum {
    API_PropertyStaticBuiltInGroupType,
    API_PropertyDynamicBuiltInGroupType,
    API_PropertyCustomGroupType
} API_PropertyGroupType;

typedef enum {
    API_PropertyStaticBuiltInDefinitionType,
    API_PropertyDynamicBuiltInDefinitionType,
    API_PropertyCustomDefinitionType
} API_PropertyDefinitionType;

typedef enum {
    API_PropertyUndefinedCollectionType,
    API_PropertySingleCollectionType,
    API_PropertyListCollectionType,
    API_PropertySingleChoiceEnumerationCollectionType,
    API_PropertyMultipleChoiceEnumerationCollectionType
} API_PropertyCollectionType;

typedef enum {
    API_PropertyUndefinedMeasureType,
    API_PropertyDefaultMeasureType,
    API_PropertyLengthMeasureType,
    API_PropertyAreaMeasureType,
    API_PropertyVolumeMeasureType,
    API_PropertyAngleMeasureType
} API_PropertyMeasureType;

typedef enum {
    API_PropertyUndefinedValueType,
    API_PropertyIntegerValueType,
    API_PropertyRealValueType,
    API_PropertyStringValueType,
    API_PropertyBooleanValueType,
    API_PropertyGuidValueType
} API_VariantType;

typedef enum {
    API_VariantStatusNull,
    API_VariantStatusUserUndefined,
    API_VariantStatusNormal
} API_VariantStatus;

// One value; `type` says which member holds it.
struct API_Variant {
    API_VariantType type;
    Int32 intValue;
    double doubleValue;
    bool boolValue;
    GS::UniString uniStringValue;
    API_Guid guidValue;

    API_Variant() :
        type(API_PropertyUndefinedValueType), intValue(0), doubleValue(0.0), boolValue(false), guidValue(APINULLGuid)
    {}
};

struct API_SingleVariant {
    API_Variant variant;
};

struct API_PropertyValue {
    API_SingleVariant singleVariant;
    API_VariantStatus variantStatus;

    API_PropertyValue() : variantStatus(API_VariantStatusNormal) {}
};

struct API_PropertyDefaultValue {
    API_PropertyValue basicValue;
    bool hasExpression;

    API_PropertyDefaultValue() : hasExpression(false) {}
};

struct API_PropertyGroup {
    API_PropertyGroupType groupType;
    API_Guid guid;
    GS::UniString name;
    GS::UniString description;

    API_PropertyGroup() : groupType(API_PropertyCustomGroupType), guid(APINULLGuid) {}
};

// A new definition's values cannot be edited unless canValueBeEditable is set.
struct API_PropertyDefinition {
    API_PropertyDefinitionType definitionType;
    API_Guid guid;
    API_Guid groupGuid;
    GS::UniString name;
    GS::UniString description;
    API_PropertyCollectionType collectionType;
    API_VariantType valueType;
    API_PropertyMeasureType measureType;
    API_PropertyDefaultValue defaultValue;
    GS::Array<API_Guid> availability;  // the classification items for which the property is available
    bool canValueBeEditable;

    API_PropertyDefinition() :
        definitionType(API_PropertyCustomDefinitionType), guid(APINULLGuid), groupGuid(APINULLGuid),
        collectionType(API_PropertyUndefinedCollectionType), valueType(API_PropertyUndefinedValueType),
        measureType(API_PropertyDefaultMeasureType), canValueBeEditable(false)
    {}
};

// Which definitions a query answers; one choice, not a set of bits.
typedef enum {
    API_PropertyDefinitionFilter_UserDefined,
    API_PropertyDefinitionFilter_FundamentalBuiltIn,
    API_PropertyDefinitionFilter_UserLevelBuiltIn,
    API_PropertyDefinitionFilter_All
} API_PropertyDefinitionFilter;

typedef enum {
    API_Property_NotAvailable,
    API_Property_NotEvaluated,
    API_Property_HasValue,
} API_PropertyValueStatus;

// A value of a definition on one element or attribute. A new record counts as the default value.
struct API_Property {
    API_PropertyDefinition definition;
    API_PropertyValueStatus status;
    API_PropertyValue value;
    bool isDefault;

    API_Property() : status(API_Property_NotAvailable), isDefault(true) {}
};
