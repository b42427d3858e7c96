#include "NamedProducts.hpp"
#include "Parsing/PropertyNames.hpp"

#include "HostLookups.hpp"
#include "ACAPinc.h"
#include "ACLink.hpp"
#include "CorvanaClassification.hpp"
#include "DG.h"
#include "ElementNames.hpp"
#include "PropertyRuns.hpp"
#include "ReplaceQuestion.hpp"
#include "StoredTexts.hpp"
#include "Support/UndoStep.hpp"
#include "Support/Utf8.hpp"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace QRV {
namespace {

constexpr GSErrCode UserDeclined = -128;

Json PropertyRecord(const Json& group, const Json& name, const Json& value)
{
    Json record = Json::object();
    record["group"] = group;
    record["name"] = name;
    record["value"] = value;
    return record;
}

// The product's name, id and change stamp identify and date it: they keep the strict text conversion, so
// a boolean or an object there refuses the product instead of being stored as its JSON text.
const Json& StandardValue(const Json& payload, const char* key)
{
    const Json& value = Payload::ReadRequired(payload, key);
    Payload::Text(value);  // raises for a boolean or an object
    return value;
}

API_ElemTypeID ElementTypeOfProduct(const GS::UniString& importType)
{
    return importType == "stair" ? API_StairID : API_CurtainWallID;
}

bool IsMatchedByIfcName(API_ElemTypeID type) { return type == API_CurtainWallID || type == API_StairID; }

// The element's library part name, or "" when it has none.
GS::UniString LibraryPartNameOf(const API_Element& element)
{
    Int32 libInd = 0;
    if (element.header.type.typeID == API_ObjectID)
        libInd = element.object.libInd;
    else if (element.header.type.typeID == API_WindowID)
        libInd = element.window.openingBase.libInd;
    else if (element.header.type.typeID == API_DoorID)
        libInd = element.door.openingBase.libInd;
    if (libInd <= 0)
        return {};
    API_LibPart libPart;
    std::memset(&libPart, 0, sizeof libPart);
    libPart.index = libInd;
    const GSErrCode err = ACAPI_LibraryPart_Get(&libPart);
    delete libPart.location;
    if (err != NoError)
        return {};
    libPart.docu_UName[API_UniLongNameLen - 1] = 0;
    return LibraryPartKeyName(GS::UniString(libPart.docu_UName));
}

}  // namespace

GS::UniString LibraryPartKeyName(const GS::UniString& documentName)
{
    static const std::string extension = ".gsm";
    const std::string& name = ToUtf8(documentName);
    if (name.size() <= extension.size())
        return documentName;
    const std::string end = name.substr(name.size() - extension.size());
    const bool isExtension = std::equal(end.begin(), end.end(), extension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
    return isExtension ? FromUtf8(name.substr(0, name.size() - extension.size())) : documentName;
}

CorvanaProperties ProductPropertyList(const Json& payload)
{
    const Json group = CorvanaProperty::DefaultGroup;
    CorvanaProperties properties;
    for (const char* key : {"name", "id", "updated_at"})
        properties.Append(PropertyRecord(group, key, StandardValue(payload, key)));
    const Json& tabs = Payload::ReadRequired(payload, "tabs");
    if (tabs.is_null())
        return properties;
    if (!tabs.is_array())
        throw std::invalid_argument("\"tabs\" is not a list");
    for (const Json& tab : tabs) {
        if (!Payload::Contains(tab, "attributes"))
            continue;
        const Json& attributes = Payload::ReadRequired(tab, "attributes");
        if (attributes.is_null())
            continue;
        if (!attributes.is_array())
            throw std::invalid_argument("\"attributes\" of a tab is not a list");
        for (const Json& attribute : attributes)
            properties.Append(PropertyRecord(Payload::ReadIndexed(tab, "name"), Payload::ReadRequired(attribute, "name"),
                                             Payload::ReadRequired(attribute, "value")));
    }
    return properties;
}

bool ConfirmReplaceByName(const GS::UniString& name, const GS::UniString& kind, bool replaceWithoutAsking)
{
    // A bulk run never stops at a question: what exists is replaced.
    if (replaceWithoutAsking)
        return true;
    // A name longer than the record's field cannot be a part's document name.
    if (name.GetLength() < API_UniLongNameLen) {
        API_LibPart libPart;
        std::memset(&libPart, 0, sizeof libPart);
        GS::ucsncpy(libPart.docu_UName, name.ToUStr().Get(), API_UniLongNameLen - 1);
        const bool found = ACAPI_LibraryPart_Search(&libPart, false, false) == NoError;
        delete libPart.location;
        libPart.docu_UName[API_UniLongNameLen - 1] = 0;
        if (found && GS::UniString(libPart.docu_UName) == name)
            return AskReplaceExisting(name, kind) != ReplaceReject;
    }
    if (NamedPropertiesExist(name))
        return AskReplaceExisting(name, kind) != ReplaceReject;
    return true;
}

GSErrCode ACLink::ImportNamedProduct(const Json& payload, const GS::UniString& importType)
{
    const GS::UniString name = Payload::String(Payload::ReadUnchecked(payload, "name"));
    if (!ConfirmReplaceByName(name, importType))
        return UserDeclined;

    const CorvanaProperties properties = ProductPropertyList(payload);
    RequireHostPropertyNames(properties, name);
    const GS::UniString matchName = properties.ValueOf("name");
    StoreNamedProperties(matchName, properties.ToJsonText());

    GS::Array<API_Guid> elements;
    const GSErrCode listed =
        ACAPI_Element_GetElemList(API_ElemType(ElementTypeOfProduct(importType)), &elements, APIFilt_None);
    GS::Array<API_Guid> matched;
    for (const API_Guid& guid : elements) {
        GS::UniString ifcName;
        ReadIfcName(guid, ifcName);
        if (ifcName == matchName)
            matched.Push(guid);
    }
    // Every element of that name receives the product's properties in one undo step; the alert that tells
    // the user comes after it.
    if (!matched.IsEmpty()) {
        RunInUndoStep(UndoStepName::ProductImport, [&]() -> GSErrCode {
            HostLookups lookups;
            for (const API_Guid& guid : matched)
                DefinePropertiesUndoable(properties, API_Attr_Head{}, guid, UndoStepName::ProductImport, lookups,
                                         [&] { ClassifyElement(guid, lookups); });
            return NoError;
        });
    }

    const GS::UniString message =
        !matched.IsEmpty()
            ? GS::UniString::Printf("You have imported \"%T\".\nAll corresponding objects that have Name "
                                    "(Attribute)\nwith the same name will receive the attributes from Corvana.",
                                    matchName.ToPrintf())
            : GS::UniString::Printf("You have imported \"%T\". Currently there are no objects in your project "
                                    "with the same name.\nWhen you change an object's Name (Attribute) to \"%T\", "
                                    "it will receive the attributes from Corvana.",
                                    matchName.ToPrintf(), matchName.ToPrintf());
    DGAlert(DG_INFORMATION, "", "", message, "OK");
    return listed;
}

GSErrCode ApplyStoredPropertiesToElement(const API_Guid& elemGuid)
{
    API_Element element;
    std::memset(&element, 0, sizeof element);
    element.header.guid = elemGuid;
    if (ACAPI_Element_Get(&element) != NoError)
        return NoError;
    const API_ElemTypeID type = element.header.type.typeID;
    GS::UniString keyName;
    if (IsMatchedByIfcName(type))
        ReadIfcName(elemGuid, keyName);
    else
        keyName = LibraryPartNameOf(element);
    if (keyName.IsEmpty())
        return NoError;

    std::string text;
    if (ReadNamedProperties(keyName, text)) {
        CorvanaProperties properties;
        if (!ParseStoredProperties(text, properties, "Module data \"CV_" + ToUtf8(keyName) + "\""))
            return NoError;
        HostLookups lookups;
        ClassifyElement(elemGuid, lookups);
        return DefineProperties(properties, API_Attr_Head{}, elemGuid, lookups);
    }

    // A renamed curtain wall or stair keeps the properties it received under its former name.
    GS::UniString formerName;
    if (IsMatchedByIfcName(type) && ReadCorvanaNameProperty(elemGuid, formerName) && ReadNamedProperties(formerName, text))
        return StoreNamedProperties(keyName, text);
    return NoError;
}

}  // namespace QRV
