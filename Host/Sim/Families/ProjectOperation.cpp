// Project operations: the project's information, the IFC export translators of the host's setup, and
// saving the project as an IFC file.
#include "ACAPinc.h"
#include "BM.hpp"
#include "Host.hpp"
#include "Ifc/IfcFileSave.hpp"
#include "SimUtf8.hpp"

#include <cstring>

namespace Sim {
namespace {

const Model::ProjectInfo& Info() { return TheHost().GetProject().info; }

// The simulator's reference of a translator: its number in the list, from 1, held in the handle.
GSHandle NewTranslatorReference(Int32 number)
{
    GSHandle handle = BMAllocateHandle(static_cast<Int32>(sizeof(Int32)), ALLOCATE_CLEAR, 0);
    if (handle != nullptr)
        std::memcpy(*handle, &number, sizeof number);
    return handle;
}

// 0 for a reference that is not one of the simulator's.
Int32 TranslatorNumber(GSHandle reference)
{
    Int32 number = 0;
    if (reference != nullptr && BMGetHandleSize(reference) == static_cast<Int32>(sizeof(Int32)))
        std::memcpy(&number, *reference, sizeof number);
    return number;
}

GSErrCode GetIFCExportTranslatorsList(GS::Array<API_IFCTranslatorIdentifier>& translators)
{
    translators.Clear();
    Int32 reference = 0;
    for (const auto& name : Info().ifcTranslators) {
        API_IFCTranslatorIdentifier identifier;
        identifier.name = Sim::Uni(name);
        identifier.innerReference = NewTranslatorReference(++reference);
        translators.Push(identifier);
    }
    return NoError;
}

GSErrCode GetProjectInfo(API_ProjectInfo* projectInfo)
{
    if (projectInfo == nullptr)
        return APIERR_BADPARS;
    // The simulator knows the project's name, not where a real host would have its file.
    // What the record held before is the record's own and goes now.
    delete projectInfo->location;
    delete projectInfo->projectPath;
    delete projectInfo->projectName;
    projectInfo->untitled = Info().name.empty();
    projectInfo->teamwork = false;
    projectInfo->userId = 0;
    projectInfo->location = nullptr;
    projectInfo->projectPath = nullptr;
    projectInfo->projectName = new GS::UniString(Sim::Uni(Info().name));
    return NoError;
}

GSErrCode SaveAsIfc(const API_FileSavePars* fileSavePars, const API_SavePars_Ifc* ifcPars)
{
    const Int32 reference = TranslatorNumber(ifcPars->translatorIdentifier.innerReference);
    const auto& translators = Info().ifcTranslators;
    if (reference < 1 || static_cast<size_t>(reference) > translators.size())
        return APIERR_BADINDEX;
    GS::UniString path;
    if (fileSavePars->file->ToPath(&path) != NoError)
        return APIERR_BADPARS;

    Host& host = TheHost();
    Ifc::IfcExportSettings settings;
    settings.translator = translators[static_cast<size_t>(reference) - 1];
    IO::Name fileName;
    fileSavePars->file->GetLastLocalName(&fileName);
    settings.fileName = Sim::Utf8(fileName.ToString());
    settings.time = host.GetClock().Now();
    std::string problem;
    if (!Ifc::SaveIfcFile(host.GetProject(), settings, Sim::Utf8(path), &problem)) {
        host.DebugOutput("ACAPI_ProjectOperation_Save: " + problem + "\n");
        return APIERR_GENERAL;
    }
    host.GetTranscript().Record("projectSave", {{"fileType", APIFType_IfcFile},
                                                {"file", Sim::Utf8(path)},
                                                {"translator", settings.translator}});
    return NoError;
}

GSErrCode Save(const API_FileSavePars* fileSavePars, const API_SavePars_Ifc* savePars,
               API_IFCRelationshipData* /*resultData*/)
{
    if (fileSavePars == nullptr || fileSavePars->file == nullptr || fileSavePars->file->IsEmpty())
        return APIERR_BADPARS;
    // Of the host's many formats the simulator writes IFC only.
    if (fileSavePars->fileTypeID != APIFType_IfcFile || savePars == nullptr)
        return APIERR_BADPARS;
    return SaveAsIfc(fileSavePars, savePars);
}

}  // namespace
}  // namespace Sim

SIM_FAMILY(ProjectOperation)
{
    SIM_BIND(table, IFC_GetIFCExportTranslatorsList, &Sim::GetIFCExportTranslatorsList);
    SIM_BIND(table, ProjectOperation_Project, &Sim::GetProjectInfo);
    SIM_BIND(table, ProjectOperation_Save, &Sim::Save);
}
