#include "BuildingMaterialTexts.hpp"

#include "ACAPinc.h"

namespace QRV {

GSErrCode ReadBuildingMaterialTexts(API_AttrTypeID typeID, API_AttributeIndex index, GS::Array<GS::UniString>& texts)
{
    API_Attr_Head header{};
    header.typeID = typeID;
    header.index = index;
    GS::Array<API_PropertyDefinition> definitions;
    GSErrCode err = ACAPI_Attribute_GetPropertyDefinitions(header, API_PropertyDefinitionFilter_All, definitions);
    if (err != NoError)
        return err;
    for (const auto& definition : definitions) {
        if (definition.name != "Building Material Description" && definition.name != "Building Material Manufacturer")
            continue;
        API_Property property;
        if (ACAPI_Attribute_GetPropertyValue(header, definition.guid, property) != NoError)
            continue;
        GS::UniString text;
        if (ACAPI_Property_GetPropertyValueString(property, &text) == NoError)
            texts.Push(text);
    }
    return NoError;
}

}  // namespace QRV
