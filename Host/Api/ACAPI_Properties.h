// Property groups and definitions, and property values of attributes and elements.
#pragma once

#include "ACAPI_Binding.hpp"
#include "APIdefs_Attributes.h"
#include "APIdefs_Properties.h"

// By group.guid; a null GUID answers APIERR_BADID.
ACAPI_FUNCTION(Property_GetPropertyGroup, (API_PropertyGroup* group), (group))
ACAPI_FUNCTION(Property_GetPropertyGroups, (GS::Array<API_PropertyGroup>* groups), (groups))
// Fills group->guid. A second group of the same name answers APIERR_NAMEALREADYUSED.
ACAPI_FUNCTION(Property_CreatePropertyGroup, (API_PropertyGroup* group), (group))
// Fills definition->guid. A second definition of the same name in a group answers APIERR_NAMEALREADYUSED.
ACAPI_FUNCTION(Property_CreatePropertyDefinition, (API_PropertyDefinition* definition), (definition))
ACAPI_FUNCTION(Property_GetPropertyDefinitions,
               (const API_Guid* groupGuid, GS::Array<API_PropertyDefinition>* definitions), (groupGuid, definitions))
ACAPI_FUNCTION(Property_ChangePropertyDefinition, (const API_PropertyDefinition* definition), (definition))
ACAPI_FUNCTION(Property_GetPropertyValueString, (const API_Property* property, GS::UniString* valueString),
               (property, valueString))

// Definitions that apply to the attribute (custom ones by availability, plus the host's built-in ones).
ACAPI_FUNCTION(Attribute_GetPropertyDefinitions,
               (const API_Attr_Head* attrHead, API_PropertyDefinitionFilter filter,
                GS::Array<API_PropertyDefinition>* definitions),
               (attrHead, filter, definitions))
ACAPI_FUNCTION(Attribute_GetPropertyValue,
               (const API_Attr_Head* attrHead, const API_Guid* definitionGuid, API_Property* property),
               (attrHead, definitionGuid, property))
// Refused with APIERR_BADPARS when the definition is not available for the attribute's classification.
ACAPI_FUNCTION(Attribute_SetProperty, (const API_Attr_Head* attrHead, const API_Property* property),
               (attrHead, property))

ACAPI_FUNCTION(Element_GetPropertyValue,
               (const API_Guid* elemGuid, const API_Guid* definitionGuid, API_Property* property),
               (elemGuid, definitionGuid, property))
// Refused with APIERR_BADPARS when the definition is not available for the element's classification.
ACAPI_FUNCTION(Element_SetProperty, (const API_Guid* elemGuid, const API_Property* property), (elemGuid, property))
ACAPI_FUNCTION(Element_SetProperties, (const API_Guid* elemGuid, const GS::Array<API_Property>* properties),
               (elemGuid, properties))
