// User data and module data. Reads hand back a handle the caller releases with BMKillHandle.
#pragma once

#include "ACAPI_Binding.hpp"
#include "APIdefs_Attributes.h"
#include "APIdefs_UserData.h"
#include "GSRoot/Array.hpp"

// APIERR_NOUSERDATA when the attribute carries none.
ACAPI_FUNCTION(Attribute_GetUserData, (API_Attr_Head* attrHead, API_AttributeUserData* userData), (attrHead, userData))
ACAPI_FUNCTION(Attribute_SetUserData, (API_Attr_Head* attrHead, const API_AttributeUserData* userData),
               (attrHead, userData))
// APIERR_NOUSERDATA when the element carries none.
ACAPI_FUNCTION(Element_GetUserData, (API_Elem_Head* elemHead, API_ElementUserData* userData), (elemHead, userData))
ACAPI_FUNCTION(Element_SetUserData, (API_Elem_Head* elemHead, const API_ElementUserData* userData),
               (elemHead, userData))

ACAPI_FUNCTION(ModulData_Store, (const API_ModulData* data, const GS::UniString* name), (data, name))
// APIERR_NOMODULEDATA when no entry has that name.
ACAPI_FUNCTION(ModulData_Get, (API_ModulData* data, const GS::UniString* name), (data, name))
ACAPI_FUNCTION(ModulData_GetList, (GS::Array<GS::UniString>* names), (names))
