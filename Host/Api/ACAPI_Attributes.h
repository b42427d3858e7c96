// Attribute functions of the host.
#pragma once

#include "ACAPI_Binding.hpp"
#include "APIdefs_Attributes.h"

// Reads by header.typeID with header.index, or by header.name when index is 0.
ACAPI_FUNCTION(Attribute_Get, (API_Attribute* attribute), (attribute))
// Finds an attribute by header.typeID and header.name; fills header.index.
ACAPI_FUNCTION(Attribute_Search, (API_Attr_Head* attrHead), (attrHead))
ACAPI_FUNCTION(Attribute_Create, (API_Attribute* attribute, API_AttributeDef* defs), (attribute, defs))
ACAPI_FUNCTION(Attribute_Modify, (API_Attribute* attribute, API_AttributeDef* defs), (attribute, defs))
ACAPI_FUNCTION(Attribute_GetDef, (API_AttrTypeID typeID, API_AttributeIndex index, API_AttributeDef* defs),
               (typeID, index, defs))
ACAPI_FUNCTION(Attribute_GetNum, (API_AttrTypeID typeID, UInt32* count), (typeID, count))
ACAPI_FUNCTION(DisposeAttrDefsHdls, (API_AttributeDef* defs), (defs))
// Converts a priority as the user interface shows it (0 to 16) into the stored form.
ACAPI_FUNCTION(Element_UI2ElemPriority, (Int32* priority), (priority))
