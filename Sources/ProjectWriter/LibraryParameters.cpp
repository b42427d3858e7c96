#include "LibraryParameters.hpp"

#include "ACAPinc.h"
#include "AddOn/HostErrorReport.hpp"
#include "BM.hpp"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <set>
#include <string>

namespace QRV {
namespace {

// Owns a handle the host handed out or the add-on allocated.
class ParameterHandle {
public:
    ParameterHandle() = default;
    explicit ParameterHandle(GSHandle handle) : handle_(handle) {}
    ~ParameterHandle() { BMKillHandle(&handle_); }
    ParameterHandle(const ParameterHandle&) = delete;
    ParameterHandle& operator=(const ParameterHandle&) = delete;

    GSHandle* Address() { return &handle_; }
    GSHandle Get() const { return handle_; }

private:
    GSHandle handle_ = nullptr;
};

bool IsCorvanaParameter(const API_AddParType& parameter)
{
    const bool textOrTitle = parameter.typeID == APIParT_CString || parameter.typeID == APIParT_Title;
    return textOrTitle && std::strncmp(parameter.name, CorvanaParameterPrefix, std::strlen(CorvanaParameterPrefix)) == 0;
}

// Cuts a UTF-8 name to the record's field without splitting a character.
void SetName(API_AddParType& parameter, const std::string& name)
{
    size_t length = std::min(name.size(), static_cast<size_t>(API_NameLen - 1));
    while (length > 0 && length < name.size() && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80)
        --length;
    std::memset(parameter.name, 0, sizeof(parameter.name));
    std::memcpy(parameter.name, name.data(), length);
}

template <size_t N>
void SetWide(GS::uchar_t (&field)[N], const GS::UniString& text)
{
    std::memset(field, 0, sizeof(field));
    GS::ucsncpy(field, text.ToUStr().Get(), N - 1);
}

GSErrCode ReadParameters(Int32 libInd, std::vector<API_AddParType>* parameters)
{
    API_LibPartSection section{};
    section.sectType = API_SectParamDef;
    ParameterHandle handle;
    GSErrCode err = ACAPI_LibraryPart_GetSection(libInd, &section, handle.Address(), nullptr);
    if (err != NoError)
        return err;
    const size_t count = static_cast<size_t>(BMGetHandleSize(handle.Get())) / sizeof(API_AddParType);
    const auto* records = reinterpret_cast<const API_AddParType*>(*handle.Get());
    parameters->assign(records, records + count);
    return NoError;
}

GSErrCode AllocateParameters(const std::vector<API_AddParType>& parameters, ParameterHandle* handle)
{
    const auto size = static_cast<Int32>(parameters.size() * sizeof(API_AddParType));
    *handle->Address() = BMAllocateHandle(size, ALLOCATE_CLEAR, 0);
    if (handle->Get() == nullptr)
        return APIERR_MEMFULL;
    if (!parameters.empty())
        std::memcpy(*handle->Get(), parameters.data(), static_cast<size_t>(size));
    return NoError;
}

GSErrCode WriteParameters(Int32 libInd, const std::vector<API_AddParType>& parameters, ParameterHandle* handle)
{
    GSErrCode err = AllocateParameters(parameters, handle);
    if (err != NoError)
        return err;
    API_LibPartSection section{};
    section.sectType = API_SectParamDef;
    return ACAPI_LibraryPart_UpdateSection(libInd, &section, handle->Get(), nullptr);
}

// "CV_<n>" for the next number no remaining parameter uses.
std::string NextFreeName(const std::set<std::string>& used, int* number)
{
    std::string name;
    do {
        name = CorvanaParameterPrefix + std::to_string((*number)++);
    } while (used.count(name) != 0);
    return name;
}

GSErrCode NameDetailParameters(const API_LibPart& libPart, const ParameterHandle& parameters)
{
    API_LibPartDetails details{};
    std::strcpy(details.frameThickParName, "gs_frame_thk");
    std::strcpy(details.leftOversizeParName, "ac_left_oversize");
    std::strcpy(details.rightOversizeParName, "ac_right_oversize");
    std::strcpy(details.upperOversizeParName, "ac_upper_oversize");
    std::strcpy(details.lowerOversizeParName, "ac_lower_oversize");
    return ACAPI_LibraryPart_SetDetails_ParamDef(&libPart, parameters.Get(), &details);
}

}  // namespace

GSErrCode RewriteCorvanaParameters(const API_LibPart& libPart, const CorvanaProperties& properties)
{
    std::vector<API_AddParType> parameters;
    GSErrCode err = ReadParameters(libPart.index, &parameters);
    if (err != NoError) {
        ReportHostError(err, "ACLink::ImportLibraryPart ACAPI_LibraryPart_GetSection");
        return err;
    }

    std::vector<API_AddParType> kept;
    std::set<std::string> used;
    for (const auto& parameter : parameters) {
        if (IsCorvanaParameter(parameter))
            continue;
        kept.push_back(parameter);
        used.insert(std::string(parameter.name, strnlen(parameter.name, API_NameLen)));
    }
    {
        ParameterHandle removed;
        err = WriteParameters(libPart.index, kept, &removed);
        if (err != NoError) {
            ReportHostError(err, "ACLink::ImportLibraryPart ACAPI_LibraryPart_UpdateSection");
            return err;
        }
    }

    int number = 0;
    API_AddParType title{};
    title.typeID = APIParT_Title;
    SetName(title, NextFreeName(used, &number));
    SetWide(title.uDescname, "Corvana");
    kept.push_back(title);
    for (const auto& property : properties.All()) {
        API_AddParType text{};
        text.typeID = APIParT_CString;
        SetName(text, NextFreeName(used, &number));
        SetWide(text.uDescname, property.GetName());
        SetWide(text.value.uStr, property.GetValue());
        kept.push_back(text);
    }
    ParameterHandle added;
    err = WriteParameters(libPart.index, kept, &added);
    if (err != NoError) {
        ReportHostError(err, "ACLink::ImportLibraryPart ACAPI_LibraryPart_UpdateSection");
        return err;
    }
    err = NameDetailParameters(libPart, added);
    if (err != NoError)
        ReportHostError(err, "ACLink::ImportLibraryPart ACAPI_LibraryPart_SetDetails_ParamDef");
    return err;
}

}  // namespace QRV
