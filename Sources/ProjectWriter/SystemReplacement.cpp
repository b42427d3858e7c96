#include "SystemReplacement.hpp"

#include "HostLookups.hpp"
#include "ACAPinc.h"
#include "AddOn/GetAttribute.hpp"
#include "AddOn/LogStream.hpp"
#include "CorvanaClassification.hpp"
#include "ElementLists.hpp"
#include "PropertyRuns.hpp"
#include "StoredTexts.hpp"

#include <cstring>
#include <string>

namespace QRV {
namespace {

void SetCompositeReference(API_Element& element, API_AttributeIndex composite)
{
    switch (element.header.type.typeID) {
        case API_WallID: element.wall.composite = composite; break;
        case API_SlabID: element.slab.composite = composite; break;
        case API_RoofID: element.roof.shellBase.composite = composite; break;
        default: break;
    }
}

// The walls, slabs and roofs in the model, of this listing only: the process-wide lists may be a bulk
// run's, taken before this import wrote anything.
GS::Array<API_Guid> ElementsOf(API_AttributeIndex composite)
{
    GS::Array<API_Guid> users;
    for (API_ElemTypeID typeID : {API_WallID, API_SlabID, API_RoofID}) {
        GS::Array<API_Guid> guids;
        if (ACAPI_Element_GetElemList(API_ElemType(typeID), &guids, APIFilt_In3D) != NoError)
            continue;
        for (const API_Guid& guid : guids) {
            API_Element element;
            std::memset(&element, 0, sizeof element);
            element.header.guid = guid;
            API_AttributeIndex reference = APIInvalidAttributeIndex;
            if (ACAPI_Element_Get(&element) == NoError && CompositeReference(element, &reference) &&
                reference == composite)
                users.Push(guid);
        }
    }
    return users;
}

GSErrCode Rebuild(const API_Guid& guid, API_AttributeIndex composite)
{
    return ACAPI_CallUndoableCommand("Replace construction system", [&]() -> GSErrCode {
        API_Element element;
        std::memset(&element, 0, sizeof element);
        element.header.guid = guid;
        GSErrCode err = ACAPI_Element_Get(&element);
        if (err != NoError)
            return err;
        SetCompositeReference(element, composite);
        API_Element mask;
        ACAPI_ELEMENT_MASK_SETFULL(mask);
        return ACAPI_Element_Change(&element, &mask, nullptr, 0, true);
    });
}

void StampStoredProperties(const API_Guid& guid, const std::string& stored, const CorvanaProperties& properties,
                           HostLookups& lookups)
{
    ClassifyElement(guid, lookups);
    SetElementUserData(guid, stored);
    DefinePropertiesUndoable(properties, API_Attr_Head{}, guid, "Create group properties", lookups);
}

}  // namespace

void ReplaceConstructionSystem(API_AttributeIndex oldComposite, const API_Attribute& newComposite)
{
    API_Attribute old = BlankAttribute(API_CompWallID);
    old.header.index = oldComposite;
    if (!oldComposite.IsPositive() || ACAPI_Attribute_Get(&old) != NoError) {
        LogStream::Instance().Warning("Replace construction system: there is no composite with the index " +
                                      std::to_string(oldComposite.ToInt32_Deprecated()) + "; no element changed");
        return;
    }

    std::string stored;
    CorvanaProperties properties;
    const bool hasProperties =
        GetUserData(newComposite, stored) == NoError && !stored.empty() &&
        ParseStoredProperties(stored, properties, "Composite \"" + std::string(newComposite.header.name) + "\"");

    HostLookups lookups;
    for (const API_Guid& guid : ElementsOf(old.header.index)) {
        if (Rebuild(guid, newComposite.header.index) != NoError)
            continue;
        if (hasProperties)
            StampStoredProperties(guid, stored, properties, lookups);
    }
}

}  // namespace QRV
