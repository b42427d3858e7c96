// The library list and library parts: parts are registered from real files that lie in an active library
// (the project's embedded library, a real folder of the host's home, or a folder of the list), and each
// keeps its parameter section in the project.
#include "ACAPinc.h"
#include "BM.hpp"
#include "Host.hpp"
#include "SimUtf8.hpp"
#include "System/Files.hpp"
#include "System/Process.hpp"

#include <cctype>
#include <cstring>
#include <algorithm>
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
    fs::path normal = fs::absolute(PathFromUtf8(path)).lexically_normal();
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

GSErrCode CopyLibraryFile(const fs::path& sourcePath, const fs::path& targetPath);

fs::path PartFile(const LibraryPartRecord& part)
{
    return part.inEmbeddedLibrary ? EmbeddedFolder() / PathFromUtf8(part.location) : PathFromUtf8(part.location);
}

// A UTF-8 text into a wide field, cut to the field with its terminator.
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

// The record as Get and Search answer it: the location is a new one, the caller's to delete.
void FillRecord(Int32 index, const LibraryPartRecord& part, API_LibPart* libPart)
{
    std::memset(static_cast<void*>(libPart), 0, sizeof(API_LibPart));
    libPart->index = index;
    CopyWide(libPart->docu_UName, part.documentName);
    CopyWide(libPart->file_UName, part.fileName);
    CopyNarrow(libPart->ownUnID, part.uniqueId);
    libPart->location = new IO::Location(Sim::Uni(PathUtf8(PartFile(part))));
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
        activeLibs->Push(API_LibraryInfo{IO::Location(Sim::Uni(PathUtf8(embedded))), "Embedded Library",
                                         API_EmbeddedLibrary});
    for (const auto& entry : Libraries().list)
        activeLibs->Push(API_LibraryInfo{IO::Location(Sim::Uni(entry.location)), Sim::Uni(entry.name),
                                         API_LocalLibrary});
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
        std::string name = info.name.IsEmpty() ? PathUtf8(location.filename()) : Sim::Utf8(info.name);
        list.push_back(Model::LibraryEntry{PathUtf8(location), name});
    }
    Libraries().list = std::move(list);
    TheHost().GetTranscript().Record("library", {{"event", "setLibraries"}, {"count", activeLibs->GetSize()}});
    return NoError;
}

GSErrCode RegisterLibPart(API_LibPart* libPart)
{
    if (libPart == nullptr)
        return APIERR_BADPARS;
    std::string documentName, fileName;
    GS::UniString locationPath;
    if (libPart->location == nullptr || libPart->location->ToPath(&locationPath) != NoError)
        return APIERR_BADPARS;
    const std::string location = Sim::Utf8(locationPath);
    if (location.empty() || !ReadWide(libPart->docu_UName, &documentName) || !ReadWide(libPart->file_UName, &fileName))
        return APIERR_BADPARS;
    fs::path file = Normal(location);
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return APIERR_BADPARS;  // nothing to register: no such file
    fs::path embedded;
    if (!InActiveLibrary(file, &embedded))
        return APIERR_BADPARS;  // the host only loads parts from its active libraries

    const bool inEmbedded = IsInside(file, embedded);
    // Inside the embedded library the project keeps the part's place with "/" on every system.
    const std::string stored = inEmbedded ? GenericPathUtf8(file.lexically_relative(embedded)) : PathUtf8(file);
    // The library names a part after its file, whatever names the caller's record held: the document
    // name without the extension, the file name with it.
    fileName = PathUtf8(file.filename());
    documentName = PathUtf8(file.stem());

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
    // The caller's location stays the caller's: registering fills the rest of the record around it.
    IO::Location* callersLocation = libPart->location;
    FillRecord(index, part, libPart);
    delete libPart->location;
    libPart->location = callersLocation;
    TheHost().GetTranscript().Record(
        "library", {{"event", "register"}, {"index", index}, {"name", documentName}, {"file", PathUtf8(file)}});
    return NoError;
}

// The main GUID of a unique id "{main}-{revision}": a search by id ignores the revision, which minor
// changes of a part move on.
std::string MainGuidOf(const std::string& uniqueId)
{
    std::string main = uniqueId;
    if (!main.empty() && main.front() == '{') {
        const size_t close = main.find('}');
        if (close != std::string::npos)
            main.erase(close + 1);
    }
    std::transform(main.begin(), main.end(), main.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return main;
}

// By unique id when one is given, else by document name, else by file name.
GSErrCode SearchLibPart(API_LibPart* libPart, bool /*createIfMissing*/, bool /*onlyPlaceable*/)
{
    if (libPart == nullptr)
        return APIERR_BADPARS;
    std::string uniqueId, documentName, fileName;
    if (!ReadNarrow(libPart->ownUnID, &uniqueId) || !ReadWide(libPart->docu_UName, &documentName) ||
        !ReadWide(libPart->file_UName, &fileName))
        return APIERR_BADPARS;
    const std::string mainGuid = MainGuidOf(uniqueId);
    const auto& parts = Libraries().parts;
    for (size_t i = 0; i < parts.size(); ++i) {
        bool found = false;
        if (!uniqueId.empty())
            found = MainGuidOf(parts[i].uniqueId) == mainGuid;
        else if (!documentName.empty())
            found = parts[i].documentName == documentName;
        else
            found = !fileName.empty() && parts[i].fileName == fileName;
        if (found) {
            FillRecord(static_cast<Int32>(i + 1), parts[i], libPart);
            return NoError;
        }
    }
    return uniqueId.empty() ? APIERR_BADNAME : APIERR_BADID;
}

GSErrCode GetLibPart(API_LibPart* libPart)
{
    if (libPart == nullptr)
        return APIERR_BADPARS;
    const LibraryPartRecord* part = Libraries().PartAt(libPart->index);
    if (part == nullptr)
        return APIERR_BADPARS;  // the host's answer to an index outside the library, whatever the type
    FillRecord(libPart->index, *part, libPart);
    return NoError;
}

// The records of a handle of API_AddParType records; false when the handle is not a whole number of
// records or a record's texts do not end within their fields. The simulator keeps a part's parameter
// section in this form too, with A and B among the records.
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

void FillParameterRecord(const LibraryParameter& parameter, Int32 index, API_AddParType& record)
{
    std::memset(static_cast<void*>(&record), 0, sizeof record);
    record.typeID = static_cast<API_AddParID>(parameter.type);
    record.index = static_cast<short>(index);
    record.flags = static_cast<unsigned short>(parameter.flags);
    CopyNarrow(record.name, parameter.name);
    CopyWide(record.uDescname, parameter.description);
    if (parameter.type == APIParT_CString)
        CopyWide(record.value.uStr, parameter.text);
    else
        record.value.real = parameter.number;
}

GSHandle NewParameterHandle(const std::vector<LibraryParameter>& parameters)
{
    GSHandle handle =
        BMAllocateHandle(static_cast<Int32>(parameters.size() * sizeof(API_AddParType)), ALLOCATE_CLEAR, 0);
    if (handle == nullptr)
        return nullptr;
    auto* records = reinterpret_cast<API_AddParType*>(*handle);
    for (size_t i = 0; i < parameters.size(); ++i)
        FillParameterRecord(parameters[i], static_cast<Int32>(i), records[i]);
    return handle;
}

bool IsSizeParameter(const LibraryParameter& parameter) { return parameter.name == "A" || parameter.name == "B"; }

GSErrCode GetSection(Int32 libInd, API_LibPartSection* section, GSHandle* sectionHdl, GS::UniString* sectionStr,
                     GS::UniString* /*password*/)
{
    if (section == nullptr || sectionHdl == nullptr)
        return APIERR_BADPARS;
    const LibraryPartRecord* part = Libraries().PartAt(libInd);
    if (part == nullptr)
        return APIERR_BADINDEX;
    if (section->sectType != API_SectParamDef)
        return APIERR_NOLIBSECT;
    GSHandle handle = NewParameterHandle(part->parameters);
    if (handle == nullptr)
        return APIERR_MEMFULL;
    *sectionHdl = handle;
    if (sectionStr != nullptr)
        sectionStr->Clear();
    return NoError;
}

GSErrCode UpdateSection(Int32 libInd, const API_LibPartSection* section, GSHandle sectionHdl,
                        GS::UniString* /*sectionStr*/, GS::UniString* /*password*/)
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

// A and B apart, the other parameters as records of a new handle.
GSErrCode GetParams(Int32 libInd, double* a, double* b, Int32* addParNum, API_AddParType*** addPars)
{
    if (a == nullptr || b == nullptr || addParNum == nullptr || addPars == nullptr)
        return APIERR_BADPARS;
    const LibraryPartRecord* part = Libraries().PartAt(libInd);
    if (part == nullptr)
        return APIERR_BADINDEX;
    *a = *b = 0.0;
    std::vector<LibraryParameter> others;
    for (const auto& parameter : part->parameters) {
        if (parameter.name == "A")
            *a = parameter.number;
        else if (parameter.name == "B")
            *b = parameter.number;
        else
            others.push_back(parameter);
    }
    GSHandle handle = NewParameterHandle(others);
    if (handle == nullptr)
        return APIERR_MEMFULL;
    *addParNum = static_cast<Int32>(others.size());
    *addPars = reinterpret_cast<API_AddParType**>(handle);
    return NoError;
}

// The records of `addPars` with the part's A and B (where it has them) among them, carrying the new
// values: each keeps its place among the other parameters, so a part that is only rewritten keeps its order.
GSErrCode GetSectParamDef(const API_LibPart* libPart, API_AddParType** addPars, double* a, double* b,
                          GSHandle sect2DDrawHdl, GSHandle* sectionHdl, GS::UniString* /*password*/)
{
    if (libPart == nullptr || sectionHdl == nullptr)
        return APIERR_BADPARS;
    if (sect2DDrawHdl == nullptr && (a == nullptr || b == nullptr))
        return APIERR_BADPARS;
    const LibraryPartRecord* part = Libraries().PartAt(libPart->index);
    if (part == nullptr)
        return APIERR_BADINDEX;
    std::vector<LibraryParameter> parameters;
    if (addPars != nullptr && !ReadParameterHandle(reinterpret_cast<GSHandle>(addPars), &parameters))
        return APIERR_BADPARS;
    size_t othersBefore = 0;
    size_t inserted = 0;
    for (const auto& parameter : part->parameters) {
        if (!IsSizeParameter(parameter)) {
            ++othersBefore;
            continue;
        }
        LibraryParameter size = parameter;
        if (a != nullptr && b != nullptr)
            size.number = parameter.name == "A" ? *a : *b;
        const size_t at = std::min(othersBefore + inserted, parameters.size());
        parameters.insert(parameters.begin() + static_cast<std::ptrdiff_t>(at), size);
        ++inserted;
    }
    GSHandle handle = NewParameterHandle(parameters);
    if (handle == nullptr)
        return APIERR_MEMFULL;
    *sectionHdl = handle;
    return NoError;
}

GSErrCode DisposeAddParHdl(API_AddParType*** addPars)
{
    if (addPars == nullptr)
        return APIERR_BADPARS;
    GSHandle handle = reinterpret_cast<GSHandle>(*addPars);
    BMKillHandle(&handle);
    *addPars = nullptr;
    return NoError;
}

GSErrCode SetDetailsParamDef(const API_LibPart* libPart, GSHandle paramHdl, const API_LibPartDetails* details)
{
    if (libPart == nullptr || paramHdl == nullptr || details == nullptr)
        return APIERR_BADPARS;
    LibraryPartRecord* part = Libraries().PartAt(libPart->index);
    if (part == nullptr)
        return APIERR_BADINDEX;
    std::vector<LibraryParameter> parameters;
    if (!ReadParameterHandle(paramHdl, &parameters))
        return APIERR_BADPARS;
    const API_LibPartDoorWindowDetails& opening = details->wind;
    Model::LibraryPartDetails stored;
    if (!ReadNarrow(opening.mirThickExpr, &stored.frameThickness) ||
        !ReadNarrow(opening.leftFramExpr, &stored.leftOversize) ||
        !ReadNarrow(opening.righFramExpr, &stored.rightOversize) ||
        !ReadNarrow(opening.topFramExpr, &stored.upperOversize) ||
        !ReadNarrow(opening.botFramExpr, &stored.lowerOversize))
        return APIERR_BADPARS;
    part->details = stored;
    return NoError;
}

// The folder must lie in an active library (or be one); each file keeps its name there.
GSErrCode CopyFilesIntoLibrary(const IO::Location* targetFolderLocationInLibrary,
                               const GS::Array<IO::Location>* filesToCopy, const bool* overwriteIfExists)
{
    if (targetFolderLocationInLibrary == nullptr || filesToCopy == nullptr)
        return APIERR_BADPARS;
    GS::UniString folderPath;
    if (targetFolderLocationInLibrary->ToPath(&folderPath) != NoError)
        return APIERR_BADPARS;
    const fs::path folder = Normal(Sim::Utf8(folderPath));
    std::error_code ec;
    fs::path embedded;
    const bool isLibrary = folder == EmbeddedFolder() ||
                           std::any_of(Libraries().list.begin(), Libraries().list.end(),
                                       [&folder](const Model::LibraryEntry& entry) { return Normal(entry.location) == folder; });
    // A folder that is not there fails as the copy would; one outside the libraries is not the host's to fill.
    if (!fs::is_directory(folder, ec))
        return APIERR_GENERAL;
    if (!(isLibrary || InActiveLibrary(folder, &embedded)))
        return APIERR_BADPARS;
    const bool overwrite = overwriteIfExists != nullptr && *overwriteIfExists;
    for (const IO::Location& file : *filesToCopy) {
        GS::UniString source;
        if (file.ToPath(&source) != NoError)
            return APIERR_BADPARS;
        const fs::path sourcePath = Normal(Sim::Utf8(source));
        if (!fs::is_regular_file(sourcePath, ec))
            return APIERR_GENERAL;
        const fs::path targetPath = folder / sourcePath.filename();
        if (fs::is_directory(targetPath, ec))
            return APIERR_GENERAL;
        if (fs::exists(targetPath, ec) && !overwrite)
            continue;
        if (GSErrCode err = CopyLibraryFile(sourcePath, targetPath); err != NoError)
            return err;
    }
    return NoError;
}

GSErrCode CopyLibraryFile(const fs::path& sourcePath, const fs::path& targetPath)
{
    std::error_code ec;
    if (sourcePath == targetPath)
        return NoError;
    // Copied beside the target and renamed over it, so a failed copy never leaves half a file.
    fs::path partial = targetPath;
    partial += ".copy-" + std::to_string(System::ProcessNumber());
    if (!fs::copy_file(sourcePath, partial, fs::copy_options::overwrite_existing, ec)) {
        fs::remove(partial, ec);
        return APIERR_GENERAL;
    }
    if (!System::MoveReplacing(PathUtf8(partial), PathUtf8(targetPath), nullptr)) {
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
    SIM_BIND(table, LibraryPart_GetParams, &Sim::GetParams);
    SIM_BIND(table, LibraryPart_GetSect_ParamDef, &Sim::GetSectParamDef);
    SIM_BIND(table, DisposeAddParHdl, &Sim::DisposeAddParHdl);
    SIM_BIND(table, LibraryManagement_CopyFilesIntoLibrary, &Sim::CopyFilesIntoLibrary);
}
