#include "LibraryParameters.hpp"

#include "ACAPinc.h"
#include "Support/HostErrorReport.hpp"
#include "BM.hpp"

#include <algorithm>
#include <cstring>
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

// Cuts a text to a wide field of the record, its terminator included, without leaving half of a UTF-16
// surrogate pair at the end.
template <size_t N>
void SetWide(GS::uchar_t (&field)[N], const GS::UniString& text)
{
    std::memset(field, 0, sizeof(field));
    GS::ucsncpy(field, text.ToUStr().Get(), N - 1);
    const auto last = static_cast<UInt32>(field[N - 2]);
    if (last >= 0xD800 && last <= 0xDBFF)
        field[N - 2] = 0;
}

// The part's parameters as the host lists them: A and B apart, the others as records.
struct PartParameters {
    double a = 0.0;
    double b = 0.0;
    std::vector<API_AddParType> others;
};

GSErrCode ReadParameters(Int32 libInd, PartParameters* parameters)
{
    Int32 count = 0;
    API_AddParType** records = nullptr;
    GSErrCode err = ACAPI_LibraryPart_GetParams(libInd, &parameters->a, &parameters->b, &count, &records);
    if (err != NoError)
        return err;
    const Int32 held = records != nullptr ? BMGetHandleSize(reinterpret_cast<GSHandle>(records)) /
                                                static_cast<Int32>(sizeof(API_AddParType))
                                          : 0;
    // Never read past what the handle holds, whatever the count says.
    const Int32 usable = std::max<Int32>(0, std::min(count, held));
    parameters->others.assign(*records, *records + usable);
    ACAPI_DisposeAddParHdl(&records);
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

// Builds the parameter section of A, B and `others` into `section`; the section is written by the caller.
GSErrCode BuildSection(const API_LibPart& libPart, PartParameters& parameters, ParameterHandle* section)
{
    ParameterHandle records;
    GSErrCode err = AllocateParameters(parameters.others, &records);
    if (err != NoError)
        return err;
    return ACAPI_LibraryPart_GetSect_ParamDef(&libPart, reinterpret_cast<API_AddParType**>(records.Get()),
                                              &parameters.a, &parameters.b, nullptr, section->Address());
}

GSErrCode WriteSection(Int32 libInd, const ParameterHandle& section)
{
    API_LibPartSection header;
    std::memset(&header, 0, sizeof header);
    header.sectType = API_SectParamDef;
    return ACAPI_LibraryPart_UpdateSection(libInd, &header, section.Get(), nullptr);
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

// The opening's details name the parameters that hold its frame thickness and its four oversizes.
GSErrCode NameDetailParameters(const API_LibPart& libPart, const ParameterHandle& section)
{
    API_LibPartDetails details;
    std::memset(&details, 0, sizeof details);
    std::strcpy(details.wind.mirThickExpr, "gs_frame_thk");
    std::strcpy(details.wind.leftFramExpr, "ac_left_oversize");
    std::strcpy(details.wind.righFramExpr, "ac_right_oversize");
    std::strcpy(details.wind.topFramExpr, "ac_upper_oversize");
    std::strcpy(details.wind.botFramExpr, "ac_lower_oversize");
    return ACAPI_LibraryPart_SetDetails_ParamDef(&libPart, section.Get(), &details);
}

}  // namespace

GSErrCode RewriteCorvanaParameters(const API_LibPart& libPart, const CorvanaProperties& properties)
{
    PartParameters parameters;
    GSErrCode err = ReadParameters(libPart.index, &parameters);
    if (err != NoError) {
        ReportHostError(err, "ACLink::ImportLibraryPart ACAPI_LibraryPart_GetParams");
        return err;
    }

    std::vector<API_AddParType> kept;
    std::set<std::string> used;
    for (const auto& parameter : parameters.others) {
        if (IsCorvanaParameter(parameter))
            continue;
        kept.push_back(parameter);
        used.insert(std::string(parameter.name, strnlen(parameter.name, API_NameLen)));
    }
    parameters.others = kept;
    {
        ParameterHandle removed;
        err = BuildSection(libPart, parameters, &removed);
        if (err != NoError) {
            ReportHostError(err, "ACLink::ImportLibraryPart ACAPI_LibraryPart_GetSect_ParamDef");
            return err;
        }
        err = WriteSection(libPart.index, removed);
        if (err != NoError) {
            ReportHostError(err, "ACLink::ImportLibraryPart ACAPI_LibraryPart_UpdateSection");
            return err;
        }
    }

    int number = 0;
    API_AddParType title;
    std::memset(&title, 0, sizeof title);
    title.typeID = APIParT_Title;
    SetName(title, NextFreeName(used, &number));
    SetWide(title.uDescname, "Corvana");
    parameters.others.push_back(title);
    for (const auto& property : properties.All()) {
        API_AddParType text;
        std::memset(&text, 0, sizeof text);
        text.typeID = APIParT_CString;
        SetName(text, NextFreeName(used, &number));
        SetWide(text.uDescname, property.GetName());
        SetWide(text.value.uStr, property.GetValue());
        parameters.others.push_back(text);
    }
    ParameterHandle added;
    err = BuildSection(libPart, parameters, &added);
    if (err != NoError) {
        ReportHostError(err, "ACLink::ImportLibraryPart ACAPI_LibraryPart_GetSect_ParamDef");
        return err;
    }
    // The details go into the section handle, which is then stored with them.
    err = NameDetailParameters(libPart, added);
    if (err != NoError) {
        ReportHostError(err, "ACLink::ImportLibraryPart ACAPI_LibraryPart_SetDetails_ParamDef");
        return err;
    }
    err = WriteSection(libPart.index, added);
    if (err != NoError)
        ReportHostError(err, "ACLink::ImportLibraryPart ACAPI_LibraryPart_UpdateSection");
    return err;
}

}  // namespace QRV
