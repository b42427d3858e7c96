// The single path by which catalogue properties reach the project: find or create the property group,
// create or widen the definition, and write the value onto an attribute or an element.
#pragma once

#include "APIdefs_Attributes.h"
#include "APIdefs_Properties.h"

namespace QRV {

class HostLookups;

// The texts of one property that the writer uses (the unit is carried but never written).
struct PropertyTexts {
    GS::UniString group;
    GS::UniString name;
    GS::UniString type;
    GS::UniString value;
};

// The custom group of that name, found among the host's groups or created.
GSErrCode GetCorvanaPropertyGroup(API_PropertyGroup& group, const GS::UniString& groupName);

// A single string-valued definition in the group; availability is left for the caller.
API_PropertyDefinition BuildPropertyDefinition(const API_PropertyGroup& group, const PropertyTexts& property);

// APIERR_BADNAME, with a log line, when the host would not take the property's group or name (an empty
// name, a zero character, an unpaired surrogate, or the name of one of the host's own groups), else NoError.
GSErrCode RefusedPropertyName(const PropertyTexts& property, HostLookups& lookups);

// Writes the property onto the attribute named by `attrHeader` when `elemGuid` is null, otherwise onto the
// element (the header is then ignored). Returns the host code of the last failing step, or NoError.
// With `lookups`, what an earlier write of the same run looked up is not asked again; without, the write
// stands alone.
GSErrCode DefineNewProperty(const PropertyTexts& property, const API_Attr_Head& attrHeader, const API_Guid& elemGuid);
GSErrCode DefineNewProperty(const PropertyTexts& property, const API_Attr_Head& attrHeader, const API_Guid& elemGuid,
                            HostLookups& lookups);

}  // namespace QRV
