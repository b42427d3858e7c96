#include "ElementNames.hpp"
#include "Support/Utf8.hpp"

#include "ACAPinc.h"
#include "GSDebug.hpp"

namespace QRV {

void ReadIfcName(const API_Guid& elemGuid, GS::UniString& name)
{
    GS::Array<API_IFCAttribute> attributes;
    if (ACAPI_Element_GetIFCAttributes(elemGuid, false, &attributes) != NoError)
        return;
    for (const auto& attribute : attributes) {
        if (attribute.attributeName == "Name") {
            name = attribute.attributeValue;
            DBPrintf("IFC attribute name: %s\n", ToUtf8(name).c_str());
            return;
        }
    }
}

bool ReadCorvanaNameProperty(const API_Guid& elemGuid, GS::UniString& name)
{
    // Only reads: a missing group or definition means the element carries no such property, and nothing
    // is created for asking.
    GS::Array<API_PropertyGroup> groups;
    if (ACAPI_Property_GetPropertyGroups(groups) != NoError)
        return false;
    for (const auto& group : groups) {
        if (group.name != "Corvana")
            continue;
        GS::Array<API_PropertyDefinition> definitions;
        if (ACAPI_Property_GetPropertyDefinitions(group.guid, definitions) != NoError)
            return false;
        for (const auto& definition : definitions) {
            if (definition.name != "name")
                continue;
            API_Property property;
            if (ACAPI_Element_GetPropertyValue(elemGuid, definition.guid, property) != NoError ||
                property.status != API_Property_HasValue)
                return false;
            name = property.value.singleVariant.variant.uniStringValue;
            return true;
        }
        return false;
    }
    return false;
}

}  // namespace QRV
