#include "PlacedObjectStamping.hpp"

#include "ACAPinc.h"
#include "CorvanaClassification.hpp"
#include "GSDebug.hpp"
#include "HostLookups.hpp"
#include "NamedProducts.hpp"
#include "PropertyRuns.hpp"
#include "StoredTexts.hpp"
#include "Support/UndoStep.hpp"
#include "Support/Utf8.hpp"

#include <cstring>
#include <string>

namespace QRV {
namespace {

bool ReadLibraryPartName(const API_Element& element, GS::UniString& name)
{
    if (element.object.libInd <= 0)
        return false;
    API_LibPart libPart;
    std::memset(&libPart, 0, sizeof libPart);
    libPart.index = element.object.libInd;
    const GSErrCode err = ACAPI_LibraryPart_Get(&libPart);
    delete libPart.location;
    if (err != NoError)
        return false;
    libPart.docu_UName[API_UniLongNameLen - 1] = 0;
    name = GS::UniString(libPart.docu_UName);
    return true;
}

}  // namespace

GSErrCode StampPlacedObjects(const GS::UniString& libPartName)
{
    GS::Array<API_Guid> objects;
    GSErrCode result = ACAPI_Element_GetElemList(API_ObjectID, &objects, APIFilt_None);
    if (result != NoError)
        return result;

    GS::Array<API_Guid> placed;
    for (const API_Guid& guid : objects) {
        API_Element element;
        std::memset(&element, 0, sizeof element);
        element.header.guid = guid;
        if (ACAPI_Element_Get(&element) != NoError)
            continue;
        GS::UniString partName;
        if (!ReadLibraryPartName(element, partName)) {
            DBPrintf("The element is not GDL based!\n");
            continue;
        }
        DBPrintf("Lib part name: %s\nObject name: %s\n", ToUtf8(partName).c_str(), ToUtf8(libPartName).c_str());
        if (LibraryPartKeyName(partName) == libPartName)
            placed.Push(guid);
    }
    if (placed.IsEmpty())
        return result;

    std::string stored;
    CorvanaProperties properties;
    if (!ReadNamedProperties(libPartName, stored) ||
        !ParseStoredProperties(stored, properties, "Module data \"CV_" + ToUtf8(libPartName) + "\""))
        return result;
    // Every placed object of the part is stamped in one undo step, its classification with its properties.
    RunInUndoStep(UndoStepName::ProductImport, [&]() -> GSErrCode {
        HostLookups lookups;
        for (const API_Guid& guid : placed) {
            const GSErrCode err = DefinePropertiesUndoable(properties, API_Attr_Head{}, guid,
                                                           UndoStepName::ProductImport, lookups,
                                                           [&] { ClassifyElement(guid, lookups); });
            if (err != NoError)
                result = err;
        }
        return NoError;
    });
    return result;
}

}  // namespace QRV
