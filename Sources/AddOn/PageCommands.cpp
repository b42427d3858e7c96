#include "PageCommands.hpp"

#include "BulkImport/BulkImportProgressManager.hpp"
#include "BulkImport/BulkImportRun.hpp"
#include "BulkImport/BulkImportSettingsDlg.hpp"
#include "Support/ModuleState.hpp"
#include "Calculation/ExportManager.hpp"
#include "Support/HostErrorReport.hpp"
#include "Ifc/IfcExport.hpp"
#include "Import/ImportManager.hpp"
#include "Support/LogStream.hpp"
#include "DefaultProgramRunner.hpp"
#include "Parsing/TextLimits.hpp"
#include "ProjectWriter/ElementLists.hpp"
#include "ProjectWriter/ProjectStatusReport.hpp"
#include "ProjectWriter/StoredMaterialRefresh.hpp"
#include "SelfUpdate.hpp"
#include "WebAddress.hpp"

#include "GSDebug.hpp"
#include "Support/Utf8.hpp"

namespace QRV {

nlohmann::json BulkImportEntry(const GS::UniString& text)
{
    const std::string utf8 = ToUtf8(text);
    if (!Payload::WithinLimits(utf8, "Bulk import"))
        return nlohmann::json::array();
    nlohmann::json list;
    GS::UniString importType;
    try {
        list = Payload::Parse(utf8);
        importType = Payload::ImportType(list);
    } catch (const std::exception& e) {
        LogStream::Instance().Error(std::string("Bulk import: the list cannot be read: ") + e.what());
        return nlohmann::json::array();
    }
    // Every element costs a status in the reply and a turn of the run: a list past the ceiling is refused
    // whole, before the settings are asked for and before anything is written.
    if (list.is_array() && list.size() > Payload::MaxBulkListElements) {
        LogStream::Instance().Error("Bulk import: refused, the list has " + std::to_string(list.size()) +
                                    " elements, more than the limit of " +
                                    std::to_string(Payload::MaxBulkListElements));
        return nlohmann::json::array();
    }
    if (importType != "system")
        return ImportManager::BulkImportNonSystem(list);

    // The model's walls, slabs and roofs are listed once for the estimate and for the whole run, and let
    // go however the call ends.
    struct ElementListsOfThisCall {
        ElementListsOfThisCall()
        {
            const GSErrCode err = GatherElementLists();
            if (err != NoError)
                ReportHostError(err, "BulkImportEntry::GatherElementLists");
        }
        ~ElementListsOfThisCall() { ClearElementLists(); }
    } elementLists;

    BulkImportSettingsDlg settings(text);
    const bool accepted = settings.Invoke() && !settings.IsCancelled();
    if (!accepted)
        return nlohmann::json("[]");

    SetBulkImportScope(settings.GetScope());
    BulkImportProgressDlg& progress = BulkImportProgressManager::GetInstance().GetPalette();
    progress.Reset();
    progress.SetPayload(text);
    progress.SetEstimate(settings.GetChosenEstimate());
    return BulkImportRun(progress).Run();
}

std::string StatusReport(const GS::UniString& request)
{
    nlohmann::json outdated = nlohmann::json::array();
    if (!Payload::WithinLimits(ToUtf8(request), "updateStatus"))
        return outdated.dump(1);
    try {
        if (std::optional<ProjectStatusReport> report = ProjectStatusReport::FromRequest(request))
            outdated = report->OutdatedItems();
    } catch (const std::exception& e) {
        LogStream::Instance().Error(std::string("updateStatus: ") + e.what());
        outdated = nlohmann::json::array();
    }
    return outdated.dump(1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string CalculationRequest()
{
    try {
        StoredMaterialRefresh().Run();
        return ExportManager().CalculationText();
    } catch (const std::exception& e) {
        // The page gets a document it can read, with every section empty.
        LogStream::Instance().Error(std::string("getCalculationData: ") + e.what());
        nlohmann::json document = nlohmann::json::object();
        for (const char* section : {"CurtainWallInfo", "ProductInfo", "StairCalculationInfo", "SystemInfo"})
            document[section] = nlohmann::json::array();
        return document.dump(1);
    }
}

bool OpenExternalLink(const GS::UniString& url)
{
    const GS::UniString encoded = EncodeWebAddress(url);
    if (!IsAbsoluteWebAddress(encoded)) {
        // Quoted and escaped: the text comes from the page and may hold anything.
        const std::string quoted =
            nlohmann::json(ToUtf8(url)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        LogStream::Instance().Warning("openExternalLink: refused " + quoted +
                                      ", which is no absolute http or https address");
        return false;
    }
    return OSUtils::OpenWithDefaultBrowser(encoded);
}

bool ExportAndUpload(const std::optional<GS::Array<GS::UniString>>& list)
{
    // Without a list there is nowhere to upload to; the upload says so after the export.
    HostIfcExport exportStep;
    return ExportAndUploadIfc(list.value_or(GS::Array<GS::UniString>()), exportStep);
}

bool SelfUpdate(const GS::UniString& text) { return UpdaterJob(text).Run(); }

}  // namespace QRV
