// Helpers of the host: element type names, priorities, library part identifiers.
#pragma once

#include "APIdefs.h"
#include "Array.hpp"
#include "UniString.hpp"

// The stored form of a building material's intersection priority as the user interface shows it (0 to 16).
GSErrCode ACAPI_Element_UI2ElemPriority (GS::Int32* uiPriority, GS::Int32* elemPriority);

// The display name of an element kind, as the host's user interface shows it.
GSErrCode ACAPI_Element_GetElemTypeName (const API_ElemType& elemType, GS::UniString& elemName);

// The unique id of the element's library part (by elemHead->guid): at most 127 characters into a
// 128-byte buffer.
GSErrCode ACAPI_LibraryPart_GetElemLibPartUnId (API_Elem_Head* elemHead, char* lpfUnId);
