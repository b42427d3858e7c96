// Shared by the families that attach to project items. The attributes and elements that property values, classification and user data attach to, looked up
// with the host's answers for a header or GUID that names nothing.
#pragma once

#include "APIdefs_Attributes.h"
#include "AttributeIndex.hpp"
#include "Model/Project.hpp"

#include <string>

namespace Sim {

// NoError for the kinds the simulation holds; APIERR_NOTSUPPORTED for the host's other kinds, APIERR_BADID
// for codes that name no kind.
GSErrCode CheckAttributeType(API_AttrTypeID type);

// The header's name in UTF-8: from uniStringNamePtr when it is set, else from the name field, which must
// end within the field. False when the field has no terminator.
bool HeaderName(const API_Attr_Head& head, std::string* name);

// By index, or by name when the index is 0. APIERR_BADPARS for no header; the type's answer as
// CheckAttributeType gives it; APIERR_BADINDEX or APIERR_BADNAME when no attribute answers.
GSErrCode FindTargetAttribute(const API_Attr_Head* head, Model::AttributeCommon** attribute);
// The element whose properties, classification or user data are read or written. APIERR_BADPARS for no
// GUID, APIERR_BADID when no element has it.
GSErrCode FindTargetElement(const API_Guid* guid, Model::Element** element);

// The GUID of something new: `requested` when the caller chose one that is free, a new one when it is null;
// APIERR_BADID when the chosen one is in use (the host's built-in GUIDs included).
GSErrCode ClaimNewGuid(const API_Guid& requested, API_Guid* guid);

// Text the host can keep and save: well-formed UTF-8.
bool IsHostText(const GS::UniString& text);

}  // namespace Sim
