#include "ElementLists.hpp"

#include "ACAPI_Attributes.h"
#include "ACAPI_Elements.h"
#include "AddOn/AttributeName.hpp"

namespace QRV {
namespace {

GSErrCode ListElements(API_ElemTypeID typeID, GS::Array<API_Guid>& guids)
{
    API_ElemType type{};
    type.typeID = typeID;
    return ACAPI_Element_GetElemList(&type, &guids, APIFilt_In3D);
}

}  // namespace

ElementLists& TheElementLists()
{
    static ElementLists lists;
    return lists;
}

GSErrCode GatherElementLists()
{
    ClearElementLists();
    // Nothing is kept from a listing that failed part way: a half list would stamp some elements only.
    ElementLists gathered;
    GSErrCode err = ListElements(API_WallID, gathered.walls);
    if (err == NoError)
        err = ListElements(API_SlabID, gathered.slabs);
    if (err == NoError)
        err = ListElements(API_RoofID, gathered.roofs);
    if (err != NoError)
        return err;
    gathered.all.Append(gathered.walls);
    gathered.all.Append(gathered.slabs);
    gathered.all.Append(gathered.roofs);
    TheElementLists() = std::move(gathered);
    return NoError;
}

void ClearElementLists() { TheElementLists() = ElementLists{}; }

bool CompositeReference(const API_Element& element, API_AttributeIndex* composite)
{
    switch (element.header.type.typeID) {
        case API_WallID:
            if (element.wall.modelElemStructureType != API_CompositeStructure)
                return false;
            *composite = element.wall.composite;
            return true;
        case API_SlabID:
            if (element.slab.modelElemStructureType != API_CompositeStructure)
                return false;
            *composite = element.slab.composite;
            return true;
        case API_RoofID:
            if (element.roof.shellBase.modelElemStructureType != API_CompositeStructure)
                return false;
            *composite = element.roof.shellBase.composite;
            return true;
        default:
            return false;
    }
}

Int32 CountElementsUsingComposite(API_AttributeIndex composite)
{
    if (composite == 0)
        return 0;
    Int32 count = 0;
    for (const API_Guid& guid : TheElementLists().all) {
        API_Element element{};
        element.header.guid = guid;
        API_AttributeIndex reference = 0;
        if (ACAPI_Element_Get(&element) == NoError && CompositeReference(element, &reference) &&
            reference == composite)
            ++count;
    }
    return count;
}

Int32 CountElementsUsingComposite(const GS::UniString& compositeName)
{
    API_Attribute attribute{};
    attribute.header.typeID = API_CompWallID;
    if (!SetAttributeName(attribute.header, compositeName) || ACAPI_Attribute_Get(&attribute) != NoError)
        return 0;
    return CountElementsUsingComposite(attribute.header.index);
}

}  // namespace QRV
