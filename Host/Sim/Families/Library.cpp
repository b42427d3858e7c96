// The library list and library parts: parts are registered from real files that lie in an active library
// (the project's embedded library, a real folder of the host's home, or a folder of the list), and each
// keeps its parameter section in the project.
#include "ACAPinc.h"
#include "BM.hpp"
#include "Host.hpp"
#include "SimUtf8.hpp"

#include <unistd.h>

#include <cstring>
#include <cwchar>
#include <filesystem>
#include <set>

namespace Sim {
namespace {

namespace fs = std::filesystem;
using Model::LibraryParameter;
using Model::LibraryPartRecord;

Model::Libraries& Libraries() { return TheHost().GetProject().libraries; }

// One spelling per file or folder: absolute, without "." and "..", without a trailing separator.
fs::path Normal(const std::string& path)
{
    fs::path normal = fs::absolute(fs::path(path)).lexically_normal();
    return normal.has_filename() || !normal.has_parent_path() || normal == normal.root_path() ? normal
                                                                                            : normal.parent_path();
}

// The embedded library's folder, made when the project has one; empty when it has none or it cannot be made.
fs::path EmbeddedFolder()
{
    if (!Libraries().hasEmbeddedLibrary)
        return {};
    std::string home = TheHost().GetSpecialFolders().Home();
    if (home.empty())
        return {};
    fs::path folder = Normal(home) / EmbeddedLibraryFolderName;
    std::error_code ec;
    fs::create_directories(folder, ec);
    return fs::is_directory(folder) ? folder : fs::path();
}

bool IsInside(const fs::path& path, const fs::path& folder)
{
    if (folder.empty())
        return false;
    auto relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != ".." && relative != ".";
}

fs::path PartFile(const LibraryPartRecord& part)
{
    return part.inEmbeddedLibrary ? EmbeddedFolder() / part.location : fs::path(part.location);
}

template <size_t N>
void CopyWide(GS::uchar_t (&target)[N], const std::string& utf8)
{
    std::memset(target, 0, sizeof(target));
    GS::ucsncpy(target, Sim::Uni(utf8).ToUStr().Get(), N - 1);
}

template <size_t N>
void CopyNarrow(char (&target)[N], const std::string& text)
{
    std::memset(target, 0, sizeof(target));
    std::strncpy(target, text.c_str(), N - 1);
}

// A text of a fixed field, which must end within it.
template <size_t N>
bool ReadNarrow(const char (&field)[N], std::string* text)
{
    const void* end = std::memchr(field, '\0', N);
    if (end == nullptr)
        return false;
    *text = std::string(field, static_cast<const char*>(end));
    return true;
}

template <size_t N>
bool ReadWide(const GS::uchar_t (&field)[N], std::string* text)
{
    size_t length = 0;
    while (length < N && field[length] != 0)
        ++length;
    if (length == N)
        return false;
    *text = Sim::Utf8(GS::UniString(field, static_cast<USize>(length)));
    return true;
}

void FillRecord(Int32 index, const LibraryPartRecord& part, API_LibPart* libPart)
{
    *libPart = API_LibPart{};
    libPart->index = index;
    CopyWide(libPart->docu_UName, part.documentName);
    CopyWide(libPart->file_UName, part.fileName);
    CopyNarrow(libPart->ownUnID, part.uniqueId);
    CopyNarrow(libPart->location, PartFile(part).string());
}

// The parameters every new part starts with, as a new object of the host has them.
std::vector<LibraryParameter> StandardParameters()
{
    std::vector<LibraryParameter> parameters(3);
    const char* names[] = {"A", "B", "ZZYZX"};
    for (size_t i = 0; i < parameters.size(); ++i) {
        parameters[i].name = names[i];
        parameters[i].type = APIParT_Length;
        parameters[i].number = 1.0;
    }
    return parameters;
}

std::string NewUniqueId()
{
    auto text = [](const API_Guid& guid) { return std::string(Sim::Utf8(APIGuidToString(guid))); };
    return "{" + text(TheHost().NewProjectGuid()) + "}-{" + text(TheHost().NewProjectGuid()) + "}";
}

bool InActiveLibrary(const fs::path& file, fs::path* embedded)
{
    *embedded = EmbeddedFolder();
    if (IsInside(file, *embedded))
        return true;
    for (const auto& entry : Libraries().list)
        if (IsInside(file, Normal(entry.location)))
            return true;
    return false;
}

GSErrCode GetLibraries(GS::Array<API_LibraryInfo>* activeLibs, Int32* embeddedLibraryIndex)
{
    if (activeLibs == nullptr)
        return APIERR_BADPARS;
    activeLibs->Clear();
    fs::path embedded = EmbeddedFolder();
    if (Libraries().hasEmbeddedLibrary && embedded.empty())
        return APIERR_GENERAL;
    if (!embedded.empty())
        activeLibs->Push(API_LibraryInfo{IO::Location(Sim::Uni(embedded.string())), "Embedded Library"});
    for (const auto& entry : Libraries().list)
        activeLibs->Push(API_LibraryInfo{IO::Location(Sim::Uni(entry.location)), Sim::Uni(entry.name)});
    if (embeddedLibraryIndex != nullptr)
        *embeddedLibraryIndex = embedded.empty() ? -1 : 0;
    return NoError;
}

GSErrCode SetLibraries(const GS::Array<API_LibraryInfo>* activeLibs)
{
    if (activeLibs == nullptr)
        return APIERR_BADPARS;
    fs::path embedded = EmbeddedFolder();
    std::vector<Model::LibraryEntry> list;
    std::set<fs::path> seen;
    for (const auto& info : *activeLibs) {
        GS::UniString path;
        if (info.location.ToPath(&path) != NoError)
            return APIERR_BADPARS;
        fs::path location = Normal(Sim::Utf8(path));
        if (location == embedded || !seen.insert(location).second)
            continue;
        std::string name = info.name.IsEmpty() ? location.filename().string() : Sim::Utf8(info.name);
        list.push_back(Model::LibraryEntry{location.string(), name});
    }
    Libraries().list = std::move(list);
    TheHost().GetTranscript().Record("library", {{"event", "setLibraries"}, {"count", activeLibs->GetSize()}});
    return NoError;
}

GSErrCode RegisterLibPart(API_LibPart* libPart)
{
    if (libPart == nullptr)
        return APIERR_BADPARS;
    std::string location, documentName, fileName;
    if (!ReadNarrow(libPart->location, &location) || location.empty() ||
        !ReadWide(libPart->docu_UName, &documentName) || !ReadWide(libPart->file_UName, &fileName))
        return APIERR_BADPARS;
    fs::path file = Normal(location);
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return APIERR_BADPARS;  // nothing to register: no such file
    fs::path embedded;
    if (!InActiveLibrary(file, &embedded))
        return APIERR_BADPARS;  // the host only loads parts from its active libraries

    const bool inEmbedded = IsInside(file, embedded);
    const std::string stored = inEmbedded ? file.lexically_relative(embedded).string() : file.string();
    if (fileName.empty())
        fileName = file.filename().string();
    if (documentName.empty())
        documentName = file.stem().string();

    Model::Libraries& libraries = Libraries();
    Int32 index = libraries.IndexOfLocation(stored, inEmbedded);
    if (index == 0) {
        LibraryPartRecord part;
        part.location = stored;
        part.inEmbeddedLibrary = inEmbedded;
        part.uniqueId = NewUniqueId();
        part.parameters = StandardParameters();
        libraries.parts.push_back(std::move(part));
        index = static_cast<Int32>(libraries.parts.size());
    }
    LibraryPartRecord& part = *libraries.PartAt(index);
    part.documentName = documentName;
    part.fileName = fileName;
    FillRecord(index, part, libPart);
    TheHost().GetTranscript().Record(
        "library", {{"event", "register"}, {"index", index}, {"name", documentName}, {"file", file.string()}});
    return NoError;
}

GSErrCode SearchLibPart(API_LibPart* libPart, bool /*createIfMissing*/, bool /*onlyPlaceable*/)
{
    if (libPart == nullptr)
        return APIERR_BADPARS;
    std::string uniqueId, documentName;
    if (!ReadNarrow(libPart->ownUnID, &uniqueId) || !ReadWide(libPart->docu_UName, &documentName))
        return APIERR_BADPARS;
    const auto& parts = Libraries().parts;
    for (size_t i = 0; i < parts.size(); ++i) {
        const bool found = uniqueId.empty() ? (!documentName.empty() && parts[i].documentName == documentName)
                                            : parts[i].uniqueId == uniqueId;
        if (found) {
            FillRecord(static_cast<Int32>(i + 1), parts[i], libPart);
            return NoError;
        }
    }
    return APIERR_BADNAME;
}

GSErrCode GetLibPart(API_LibPart* libPart)
{
    if (libPart == nullptr)
        return APIERR_BADPARS;
    const LibraryPartRecord* part = Libraries().PartAt(libPart->index);
    if (part == nullptr)
        return APIERR_BADINDEX;
    FillRecord(libPart->index, *part, libPart);
    return NoError;
}

// The records of a parameter section handle; false when the handle is not a whole number of records or
// a record's texts do not end within their fields.
bool ReadParameterHandle(GSHandle handle, std::vector<LibraryParameter>* parameters)
{
    if (handle == nullptr)
        return false;
    const Int32 size = BMGetHandleSize(handle);
    if (size < 0 || size % static_cast<Int32>(sizeof(API_AddParType)) != 0)
        return false;
    const size_t count = static_cast<size_t>(size) / sizeof(API_AddParType);
    const auto* records = reinterpret_cast<const API_AddParType*>(*handle);
    parameters->clear();
    for (size_t i = 0; i < count; ++i) {
        const API_AddParType& record = records[i];
        LibraryParameter parameter;
        parameter.type = record.typeID;
        parameter.flags = record.flags;
        if (!ReadNarrow(record.name, &parameter.name) || !ReadWide(record.uDescname, &parameter.description))
            return false;
        if (parameter.type == APIParT_CString) {
            if (!ReadWide(record.value.uStr, &parameter.text))
                return false;
        } else {
            parameter.number = record.value.real;
        }
        parameters->push_back(std::move(parameter));
    }
    return true;
}

GSErrCode GetSection(Int32 libInd, API_LibPartSection* section, GSHandle* sectionHdl, GS::UniString* sectionStr)
{
    if (section == nullptr || sectionHdl == nullptr)
        return APIERR_BADPARS;
    const LibraryPartRecord* part = Libraries().PartAt(libInd);
    if (part == nullptr)
        return APIERR_BADINDEX;
    if (section->sectType != API_SectParamDef)
        return APIERR_NOLIBSECT;
    const size_t count = part->parameters.size();
    GSHandle handle = BMAllocateHandle(static_cast<Int32>(count * sizeof(API_AddParType)), ALLOCATE_CLEAR, 0);
    if (handle == nullptr)
        return APIERR_MEMFULL;
    auto* records = reinterpret_cast<API_AddParType*>(*handle);
    for (size_t i = 0; i < count; ++i) {
        const LibraryParameter& parameter = part->parameters[i];
        API_AddParType& record = records[i];
        record = API_AddParType{};
        record.typeID = static_cast<API_AddParID>(parameter.type);
        record.flags = parameter.flags;
        CopyNarrow(record.name, parameter.name);
        CopyWide(record.uDescname, parameter.description);
        if (parameter.type == APIParT_CString)
            CopyWide(record.value.uStr, parameter.text);
        else
            record.value.real = parameter.number;
    }
    *sectionHdl = handle;
    if (sectionStr != nullptr)
        sectionStr->Clear();
    return NoError;
}

GSErrCode UpdateSection(Int32 libInd, const API_LibPartSection* section, GSHandle sectionHdl,
                        GS::UniString* /*sectionStr*/)
{
    if (section == nullptr)
        return APIERR_BADPARS;
    LibraryPartRecord* part = Libraries().PartAt(libInd);
    if (part == nullptr)
        return APIERR_BADINDEX;
    if (section->sectType != API_SectParamDef)
        return APIERR_NOLIBSECT;
    std::vector<LibraryParameter> parameters;
    if (!ReadParameterHandle(sectionHdl, &parameters))
        return APIERR_BADPARS;
    std::set<std::string> names;
    for (const auto& parameter : parameters)
        if (parameter.name.empty() || parameter.type < 1 || parameter.type > 255 ||
            !names.insert(parameter.name).second)
            return APIERR_BADPARS;
    part->parameters = std::move(parameters);
    TheHost().GetTranscript().Record(
        "library", {{"event", "updateParameters"}, {"index", libInd}, {"count", part->parameters.size()}});
    return NoError;
}

GSErrCode SetDetailsParamDef(const API_LibPart* libPart, GSHandle addPars, const API_LibPartDetails* details)
{
    if (libPart == nullptr || details == nullptr)
        return APIERR_BADPARS;
    LibraryPartRecord* part = Libraries().PartAt(libPart->index);
    if (part == nullptr)
        return APIERR_BADINDEX;
    std::vector<LibraryParameter> parameters;
    if (!ReadParameterHandle(addPars, &parameters))
        return APIERR_BADPARS;
    Model::LibraryPartDetails stored;
    if (!ReadNarrow(details->frameThickParName, &stored.frameThickness) ||
        !ReadNarrow(details->leftOversizeParName, &stored.leftOversize) ||
        !ReadNarrow(details->rightOversizeParName, &stored.rightOversize) ||
        !ReadNarrow(details->upperOversizeParName, &stored.upperOversize) ||
        !ReadNarrow(details->lowerOversizeParName, &stored.lowerOversize))
        return APIERR_BADPARS;
    part->details = stored;
    return NoError;
}

GSErrCode CopyLibraryFile(const IO::Location* from, const IO::Location* to)
{
    if (from == nullptr || to == nullptr)
        return APIERR_BADPARS;
    GS::UniString source, target;
    if (from->ToPath(&source) != NoError || to->ToPath(&target) != NoError)
        return APIERR_BADPARS;
    const fs::path sourcePath = Normal(Sim::Utf8(source));
    const fs::path targetPath = Normal(Sim::Utf8(target));
    std::error_code ec;
    if (!fs::is_regular_file(sourcePath, ec) || !fs::is_directory(targetPath.parent_path(), ec) ||
        fs::is_directory(targetPath, ec))
        return APIERR_GENERAL;
    if (sourcePath == targetPath)
        return NoError;
    // Copied beside the target and renamed over it, so a failed copy never leaves half a file.
    fs::path partial = targetPath;
    partial += ".copy-" + std::to_string(getpid());
    if (!fs::copy_file(sourcePath, partial, fs::copy_options::overwrite_existing, ec)) {
        fs::remove(partial, ec);
        return APIERR_GENERAL;
    }
    fs::rename(partial, targetPath, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        return APIERR_GENERAL;
    }
    return NoError;
}

}  // namespace
}  // namespace Sim

SIM_FAMILY(Library)
{
    SIM_BIND(table, LibraryManagement_GetLibraries, &Sim::GetLibraries);
    SIM_BIND(table, LibraryManagement_SetLibraries, &Sim::SetLibraries);
    SIM_BIND(table, LibraryPart_Register, &Sim::RegisterLibPart);
    SIM_BIND(table, LibraryPart_Search, &Sim::SearchLibPart);
    SIM_BIND(table, LibraryPart_Get, &Sim::GetLibPart);
    SIM_BIND(table, LibraryPart_GetSection, &Sim::GetSection);
    SIM_BIND(table, LibraryPart_UpdateSection, &Sim::UpdateSection);
    SIM_BIND(table, LibraryPart_SetDetails_ParamDef, &Sim::SetDetailsParamDef);
    SIM_BIND(table, LibraryPart_CopyFile, &Sim::CopyLibraryFile);
}
