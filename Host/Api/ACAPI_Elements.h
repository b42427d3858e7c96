// Element functions: lists, reads, changes, names, quantities, IFC attributes, observers, databases.
#pragma once

#include "ACAPI_Binding.hpp"
#include "APIdefs_Elements.h"

ACAPI_FUNCTION(Element_GetElemList,
               (const API_ElemType* type, GS::Array<API_Guid>* guids, API_ElemFilterFlags filterBits),
               (type, guids, filterBits))
// By element->header.guid; APIERR_BADID for an unknown element.
ACAPI_FUNCTION(Element_Get, (API_Element* element), (element))
ACAPI_FUNCTION(Element_GetHeader, (API_Elem_Head* header), (header))
// Changes the fields the mask marks.
ACAPI_FUNCTION(Element_Change, (API_Element* element, const API_Element* mask), (element, mask))
ACAPI_FUNCTION(Element_Filter, (const API_Guid* guid, API_ElemFilterFlags filterBits, bool* passes),
               (guid, filterBits, passes))
// The display name of an element kind, as the host's user interface shows it.
ACAPI_FUNCTION(Element_GetElemTypeName, (const API_ElemType* type, GS::UniString* name), (type, name))
// The unique id of the element's library part: at most 127 characters into a 128-byte buffer.
ACAPI_FUNCTION(Element_GetElemLibPartUnId, (const API_Guid* guid, char* unId), (guid, unId))
ACAPI_FUNCTION(Element_GetIFCAttributes, (const API_Guid* guid, GS::Array<API_IFCAttribute>* attributes),
               (guid, attributes))
ACAPI_FUNCTION(Element_GetQuantities,
               (const API_Guid* guid, const API_QuantityPar* params, API_ElementQuantity* quantities),
               (guid, params, quantities))
ACAPI_FUNCTION(Element_GetMoreQuantities,
               (const GS::Array<API_Guid>* guids, const API_QuantityPar* params,
                GS::Array<API_ElementQuantity>* quantities, GS::Array<GS::Array<API_CompositeQuantity>>* composites),
               (guids, params, quantities, composites))
ACAPI_FUNCTION(Element_Get3DInfo, (const API_Elem_Head* header, API_ElemInfo3D* info), (header, info))
// Asks the host to send observer notifications of this element; APIERR_LINKEXIST when it already does.
ACAPI_FUNCTION(Element_AttachObserver, (const API_Guid* guid), (guid))

ACAPI_FUNCTION(Database_GetCurrentDatabase, (API_DatabaseInfo* info), (info))
ACAPI_FUNCTION(Database_ChangeCurrentDatabase, (API_DatabaseInfo* info), (info))
ACAPI_FUNCTION(Database_GetDatabaseInfo, (API_DatabaseInfo* info), (info))
