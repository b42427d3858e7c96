#include "IfcExport.hpp"

#include "Support/HostErrorReport.hpp"
#include "Support/LogStream.hpp"

#include "ACAPinc.h"
#include "DG.h"
#include "Support/NativePath.hpp"
#include "Support/Utf8.hpp"

#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

namespace QRV {
namespace {

GSErrCode Reported(GSErrCode err, const char* label)
{
    ReportHostError(err, label);
    return err;
}

// Looks up the translator by its name as the user sees it; the first of that name wins.
GSErrCode FindTranslator(std::optional<API_IFCTranslatorIdentifier>* found)
{
    GS::Array<API_IFCTranslatorIdentifier> translators;
    const GSErrCode err = ACAPI_IFC_GetIFCExportTranslatorsList(translators);
    if (err != NoError)
        return Reported(err, "HostIfcExport::Export ACAPI_IFC_GetIFCExportTranslatorsList");
    for (const auto& translator : translators) {
        if (translator.name == HostIfcExport::TranslatorName) {
            *found = translator;
            break;
        }
    }
    return NoError;
}

// The record owns the members the host fills and deletes them when it goes.
GSErrCode ReadProjectName(GS::UniString* name)
{
    API_ProjectInfo info;
    const GSErrCode err = ACAPI_ProjectOperation_Project(&info);
    if (err != NoError)
        return Reported(err, "HostIfcExport ACAPI_ProjectOperation_Project");
    *name = (info.untitled || info.projectName == nullptr) ? GS::UniString() : *info.projectName;
    return NoError;
}

// Special folder 6 with the export folder in it, made when missing.
GSErrCode ExportFolder(std::filesystem::path* folder)
{
    API_SpecFolderID id = API_UserDocumentsFolderID;
    IO::Location documents;
    GS::UniString documentsPath;
    GSErrCode err = ACAPI_ProjectSettings_GetSpecFolder(&id, &documents);
    if (err == NoError)
        err = documents.ToPath(&documentsPath);
    if (err != NoError)
        return Reported(err, "HostIfcExport::Export ACAPI_ProjectSettings_GetSpecFolder");
    *folder = ToNativePath(documentsPath) / HostIfcExport::FolderName;
    std::error_code error;
    std::filesystem::create_directories(*folder, error);
    if (!std::filesystem::is_directory(*folder, error)) {
        LogStream::Instance().Error("IFC export: cannot make the folder " + ToUtf8(FromNativePath(*folder)));
        return APIERR_GENERAL;
    }
    return NoError;
}

GSErrCode StopWithAlert(const GS::UniString& largeText, const GS::UniString& smallText)
{
    DGAlert(DG_INFORMATION, "", largeText, smallText, "OK");
    return IfcExportStep::StoppedByAlert;
}

}  // namespace

std::string HostIfcExport::ExportFileName(const std::string& projectName)
{
    std::string name = projectName;
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\' || c == ':')
            c = '_';
    }
    return name + ".ifc";
}

GSErrCode HostIfcExport::Export(GS::UniString& fileLocation)
{
    try {
        std::optional<API_IFCTranslatorIdentifier> translator;
        GSErrCode err = FindTranslator(&translator);
        if (err != NoError)
            return err;
        if (!translator)
            return StopWithAlert(GS::UniString(TranslatorName) + "\ntranslator not found!", TranslatorName);

        GS::UniString projectName;
        if ((err = ReadProjectName(&projectName)) != NoError)
            return err;
        if (projectName.IsEmpty())
            return StopWithAlert("The project has no name", "Export aborted");

        std::filesystem::path folder;
        if ((err = ExportFolder(&folder)) != NoError)
            return err;
        const std::filesystem::path file = folder / ToNativePath(FromUtf8(ExportFileName(ToUtf8(projectName))));
        fileLocation = FromNativePath(file);

        IO::Location location(fileLocation);
        API_FileSavePars fileSavePars{};
        fileSavePars.fileTypeID = APIFType_IfcFile;
        fileSavePars.file = &location;
        API_SavePars_Ifc ifcSavePars{};
        ifcSavePars.translatorIdentifier = *translator;
        err = ACAPI_ProjectOperation_Save(&fileSavePars, &ifcSavePars);
        if (err != NoError)
            return Reported(err, "HostIfcExport::Export ACAPI_ProjectOperation_Save");
        LogStream::Instance().Info("IFC export saved " + ToUtf8(fileLocation));
        return NoError;
    } catch (const std::exception& e) {
        LogStream::Instance().Error(std::string("IFC export failed: ") + e.what());
        return APIERR_GENERAL;
    }
}

GS::UniString HostIfcExport::ProjectName()
{
    GS::UniString name;
    return ReadProjectName(&name) == NoError ? name : GS::UniString();
}

}  // namespace QRV
