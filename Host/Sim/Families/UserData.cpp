// User data of attributes and elements, and the add-on's module data. The host keeps a copy of the bytes
// of the caller's handle; a read hands back a new handle of exactly the stored bytes, which the caller
// releases. A write with no handle removes an attribute's or element's user data, a module data write with
// no record removes the entry. Attributes are named by their type and index only; a platform sign must
// be one of the host's.
#include "ACAPinc.h"
#include "Families/Targets.hpp"
#include "Host.hpp"
#include "SimUtf8.hpp"
#include "UndoHistory.hpp"
#include "UndoScope.hpp"

#include <cstring>

namespace Sim {
namespace {

std::string HandleBytes(GSHandle handle)
{
    const Int32 size = BMGetHandleSize(handle);
    return size > 0 && *handle != nullptr ? std::string(*handle, static_cast<size_t>(size)) : std::string();
}

GSErrCode BytesHandle(const std::string& bytes, GSHandle* handle)
{
    *handle = BMAllocateHandle(static_cast<Int32>(bytes.size()), 0, 0);
    if (*handle == nullptr)
        return APIERR_MEMFULL;
    if (!bytes.empty())
        std::memcpy(**handle, bytes.data(), bytes.size());
    return NoError;
}

Model::AttributeUserData Stored(Int32 dataVersion, UInt16 platformSign, GSHandle handle)
{
    return Model::AttributeUserData{dataVersion, platformSign, HandleBytes(handle)};
}

// One of the host's signs, the unknown one included.
bool IsPlatformSign(UInt16 sign)
{
    return sign == GS::Unknown_Platform_Sign || sign == GS::Win_Platform_Sign || sign == GS::Mac_Platform_Sign ||
           sign == GS::Mactel_Platform_Sign || sign == GS::Unx_Platform_Sign;
}

GSErrCode AttributeOfHead(const API_Attr_Head* attrHead, Model::AttributeCommon** attribute)
{
    if (attrHead != nullptr && IndexNumber(attrHead->index) == 0 && CheckAttributeType(attrHead->typeID) == NoError)
        return APIERR_BADINDEX;
    return FindTargetAttribute(attrHead, attribute);
}

GSErrCode AttributeGetUserData(API_Attr_Head* attrHead, API_AttributeUserData* userData)
{
    if (userData == nullptr)
        return APIERR_BADPARS;
    Model::AttributeCommon* attribute = nullptr;
    if (GSErrCode err = AttributeOfHead(attrHead, &attribute); err != NoError)
        return err;
    if (!attribute->userData)
        return APIERR_NOUSERDATA;
    if (!IsPlatformSign(attribute->userData->platformSign))
        return APIERR_BADPLATFORMSIGN;
    GSHandle handle = nullptr;
    if (GSErrCode err = BytesHandle(attribute->userData->bytes, &handle); err != NoError)
        return err;
    userData->dataVersion = static_cast<short>(attribute->userData->dataVersion);
    userData->platformSign = attribute->userData->platformSign;
    userData->flags = 0;
    userData->dataHdl = handle;
    return NoError;
}

GSErrCode AttributeSetUserData(API_Attr_Head* attrHead, const API_AttributeUserData* userData)
{
    if (userData == nullptr)
        return APIERR_BADPARS;
    Model::AttributeCommon* attribute = nullptr;
    if (GSErrCode err = AttributeOfHead(attrHead, &attribute); err != NoError)
        return err;
    if (userData->dataHdl != nullptr && !IsPlatformSign(userData->platformSign))
        return APIERR_BADPLATFORMSIGN;
    if (userData->dataHdl == nullptr)
        attribute->userData.reset();
    else
        attribute->userData = Stored(userData->dataVersion, userData->platformSign, userData->dataHdl);
    return NoError;
}

GSErrCode ElementOfHead(const API_Elem_Head* elemHead, Model::Element** element)
{
    if (elemHead == nullptr)
        return APIERR_BADPARS;
    return FindTargetElement(&elemHead->guid, element);
}

// The element's own data only: the host holds no element defaults to read from (`mask` names what of a
// default to read).
GSErrCode ElementGetUserData(API_Elem_Head* elemHead, API_ElementUserData* userData, UInt32 /*mask*/)
{
    if (userData == nullptr)
        return APIERR_BADPARS;
    Model::Element* element = nullptr;
    if (GSErrCode err = ElementOfHead(elemHead, &element); err != NoError)
        return err;
    if (!element->userData)
        return APIERR_NOUSERDATA;
    if (!IsPlatformSign(element->userData->platformSign))
        return APIERR_BADPLATFORMSIGN;
    GSHandle handle = nullptr;
    if (GSErrCode err = BytesHandle(element->userData->bytes, &handle); err != NoError)
        return err;
    userData->dataVersion = static_cast<short>(element->userData->dataVersion);
    userData->platformSign = element->userData->platformSign;
    userData->flags = 0;  // the element keeps no flags
    userData->dataHdl = handle;
    return NoError;
}

GSErrCode ElementSetUserData(API_Elem_Head* elemHead, const API_ElementUserData* userData)
{
    if (userData == nullptr)
        return APIERR_BADPARS;
    // An element's data is part of its undo step; an element default's is not.
    if (elemHead != nullptr && elemHead->guid != APINULLGuid)
        if (GSErrCode err = CheckCallScope("ACAPI_Element_SetUserData", HostCall::UndoableModifier);
            err != NoError)
            return err;
    Model::Element* element = nullptr;
    if (GSErrCode err = ElementOfHead(elemHead, &element); err != NoError)
        return err;
    if (userData->dataHdl != nullptr && !IsPlatformSign(userData->platformSign))
        return APIERR_BADPLATFORMSIGN;
    WillChangeElement(element->guid);
    if (userData->dataHdl == nullptr)
        element->userData.reset();
    else
        element->userData = Stored(userData->dataVersion, userData->platformSign, userData->dataHdl);
    return NoError;
}

// An empty name is the add-on's unnamed entry.
GSErrCode EntryName(const GS::UniString& name, std::string* entry)
{
    *entry = Sim::Utf8(name);
    return IsHostText(name) ? NoError : APIERR_BADPARS;
}

GSErrCode ModulDataStore(const API_ModulData* info, const GS::UniString& modulName)
{
    std::string entry;
    if (GSErrCode err = EntryName(modulName, &entry); err != NoError)
        return err;
    Model::ModuleData& moduleData = TheHost().GetProject().moduleData;
    if (info == nullptr)
        return moduleData.erase(entry) != 0 ? NoError : APIERR_NOMODULEDATA;
    if (info->dataHdl == nullptr)
        return APIERR_BADPARS;
    if (!IsPlatformSign(info->platformSign))
        return APIERR_BADPLATFORMSIGN;
    moduleData[entry] = Stored(info->dataVersion, info->platformSign, info->dataHdl);
    return NoError;
}

GSErrCode ModulDataGet(API_ModulData* info, const GS::UniString& modulName)
{
    if (info == nullptr)
        return APIERR_BADPARS;
    std::string entry;
    if (GSErrCode err = EntryName(modulName, &entry); err != NoError)
        return err;
    const Model::ModuleData& moduleData = TheHost().GetProject().moduleData;
    auto it = moduleData.find(entry);
    if (it == moduleData.end())
        return APIERR_NOMODULEDATA;
    GSHandle handle = nullptr;
    if (GSErrCode err = BytesHandle(it->second.bytes, &handle); err != NoError)
        return err;
    info->dataVersion = it->second.dataVersion;
    info->platformSign = it->second.platformSign;
    info->dataHdl = handle;
    return NoError;
}

GSErrCode ModulDataGetList(GS::Array<GS::UniString>* modulNameList)
{
    if (modulNameList == nullptr)
        return APIERR_BADPARS;
    modulNameList->Clear();
    for (const auto& entry : TheHost().GetProject().moduleData)
        modulNameList->Push(Sim::Uni(entry.first));
    return NoError;
}

}  // namespace
}  // namespace Sim

SIM_FAMILY(UserData)
{
    using namespace Sim;
    SIM_BIND(table, UserData_GetUserData, &AttributeGetUserData);
    SIM_BIND(table, UserData_SetUserData, &AttributeSetUserData);
    SIM_BIND(table, Element_GetUserData, &ElementGetUserData);
    SIM_BIND(table, Element_SetUserData, &ElementSetUserData);
    SIM_BIND(table, ModulData_Store, &ModulDataStore);
    SIM_BIND(table, ModulData_Get, &ModulDataGet);
    SIM_BIND(table, ModulData_GetList, &ModulDataGetList);
}
