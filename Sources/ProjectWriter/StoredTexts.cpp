#include "StoredTexts.hpp"

#include "ACAPinc.h"
#include "Support/HostErrorReport.hpp"
#include "Support/LogStream.hpp"
#include "Parsing/TextLimits.hpp"

#include <cstring>
#include <utility>

namespace QRV {
namespace {

// A placed copy of the element's default carries the data, and picking the element's parameters up
// carries it into the default.
constexpr GSFlags ElementUserDataFlags = APIUserDataFlag_FillWith | APIUserDataFlag_Pickup;

// The stored bytes are UTF-8 text, the same in every byte order; one fixed sign keeps what a project
// holds the same whichever platform wrote it.
constexpr unsigned short StoredTextSign = GS::Win_Platform_Sign;

// A handle holding the text and its terminating zero.
GSHandle TextHandle(const std::string& data)
{
    GSHandle handle = BMAllocateHandle(static_cast<Int32>(data.size() + 1), ALLOCATE_CLEAR, 0);
    if (handle != nullptr)
        std::memcpy(*handle, data.c_str(), data.size() + 1);
    return handle;
}

// The text of a handle the host gave back: up to its first zero byte, never past its end.
std::string HandleText(GSHandle handle)
{
    if (handle == nullptr || *handle == nullptr)
        return {};
    const Int32 size = BMGetHandleSize(handle);
    const char* bytes = *handle;
    const void* zero = std::memchr(bytes, 0, static_cast<size_t>(size));
    return std::string(bytes, zero != nullptr ? static_cast<const char*>(zero) - bytes : size);
}

}  // namespace

GSErrCode AddUserData(const API_Attribute& attribute, const std::string& data)
{
    API_AttributeUserData userData{};
    userData.dataVersion = 0;
    userData.platformSign = StoredTextSign;
    userData.dataHdl = TextHandle(data);
    if (userData.dataHdl == nullptr) {
        LogStream::Instance().Error("QRV::AddUserData - couldn't allocate handle");
        return APIERR_GENERAL;
    }
    API_Attr_Head header = attribute.header;
    GSErrCode err = ACAPI_UserData_SetUserData(&header, &userData);
    ReportHostError(err, "QRV::AddUserData(API_Attribute attr, std::string data) - ACAPI_UserData_SetUserData");
    BMKillHandle(&userData.dataHdl);
    return err;
}

GSErrCode GetUserData(const API_Attribute& attribute, std::string& data)
{
    API_AttributeUserData userData{};
    API_Attr_Head header = attribute.header;
    GSErrCode err = ACAPI_UserData_GetUserData(&header, &userData);
    if (err == NoError) {
        std::string text = HandleText(userData.dataHdl);
        BMKillHandle(&userData.dataHdl);
        // A project may hold anything; a stored text past the limits reads as none.
        if (!Payload::WithinLimits(text, "Stored attribute data"))
            return APIERR_BADPARS;
        data = std::move(text);
        return NoError;
    }
    if (err != APIERR_NOUSERDATA)
        ReportHostError(err, "QRV::GetUserData ACAPI_UserData_GetUserData");
    return err;
}

GSErrCode SetElementUserData(const API_Guid& elemGuid, const std::string& data)
{
    API_ElementUserData userData{};
    userData.dataVersion = 1;
    userData.platformSign = StoredTextSign;
    userData.flags = ElementUserDataFlags;
    userData.dataHdl = TextHandle(data);
    if (userData.dataHdl == nullptr) {
        LogStream::Instance().Error("QRV::SetElementUserData - couldn't allocate handle");
        return APIERR_MEMFULL;
    }
    API_Elem_Head header{};
    header.guid = elemGuid;
    GSErrCode err = ACAPI_Element_SetUserData(&header, &userData);
    ReportHostError(err, "QRV::SetElementUserData ACAPI_Element_SetUserData");
    BMKillHandle(&userData.dataHdl);
    return err;
}

GSErrCode GetElementUserData(const API_Guid& elemGuid, std::string& data)
{
    API_ElementUserData userData{};
    API_Elem_Head header{};
    header.guid = elemGuid;
    GSErrCode err = ACAPI_Element_GetUserData(&header, &userData);
    if (err != NoError) {
        if (err != APIERR_NOUSERDATA)
            ReportHostError(err, "QRV::GetElementUserData ACAPI_Element_GetUserData");
        return err;
    }
    std::string text = HandleText(userData.dataHdl);
    BMKillHandle(&userData.dataHdl);
    if (!Payload::WithinLimits(text, "Stored element data"))
        return APIERR_BADPARS;
    data = std::move(text);
    return NoError;
}

GS::UniString NamedPropertiesEntry(const GS::UniString& name) { return GS::UniString("CV_") + name; }

GSErrCode StoreNamedProperties(const GS::UniString& name, const std::string& data)
{
    API_ModulData modulData{};
    modulData.dataVersion = 1;
    modulData.platformSign = StoredTextSign;
    modulData.dataHdl = TextHandle(data);
    if (modulData.dataHdl == nullptr) {
        LogStream::Instance().Error("QRV::StoreNamedProperties - couldn't allocate handle");
        return APIERR_MEMFULL;
    }
    const GS::UniString entry = NamedPropertiesEntry(name);
    GSErrCode err = ACAPI_ModulData_Store(&modulData, entry);
    ReportHostError(err, "QRV::StoreNamedProperties ACAPI_ModulData_Store");
    BMKillHandle(&modulData.dataHdl);
    return err;
}

bool ReadModuleDataEntry(const GS::UniString& entry, std::string& data, Int32* dataVersion)
{
    API_ModulData modulData{};
    if (ACAPI_ModulData_Get(&modulData, entry) != NoError)
        return false;
    std::string text = HandleText(modulData.dataHdl);
    BMKillHandle(&modulData.dataHdl);
    if (!Payload::WithinLimits(text, "Stored module data"))
        return false;
    data = std::move(text);
    if (dataVersion != nullptr)
        *dataVersion = modulData.dataVersion;
    return true;
}

bool ReadNamedProperties(const GS::UniString& name, std::string& data)
{
    std::string text;
    Int32 version = 0;
    if (!ReadModuleDataEntry(NamedPropertiesEntry(name), text, &version) || version != 1)
        return false;
    data = std::move(text);
    return true;
}

bool NamedPropertiesExist(const GS::UniString& name)
{
    GS::Array<GS::UniString> names;
    if (ACAPI_ModulData_GetList(&names) != NoError)
        return false;
    return names.Contains(NamedPropertiesEntry(name));
}

}  // namespace QRV
