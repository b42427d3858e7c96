// The four entry points the host calls, in this order: environment check, interface registration,
// initialisation, release.
#include "ACAPinc.h"
#include "BrowserPalette.hpp"
#include "BulkImport/BulkImportProgressManager.hpp"
#include "ElementEvents.hpp"
#include "JsonFileHandler.hpp"
#include "MenuHandler.hpp"
#include "Support/ModuleState.hpp"
#include "Palette.hpp"
#include "ResourceIds.hpp"

namespace {

// 'QRV' with a zero top byte.
constexpr GSType SupportedServiceCode = (static_cast<GSType>('Q') << 16) | (static_cast<GSType>('R') << 8) | 'V';
constexpr Int32 SupportedServiceVersion = 1;
// The page's JSON files are opened and merged into the project, and can be the target of a save.
constexpr API_IOMethod JsonFileMethods = Open2DSupported | Merge2DSupported | SaveAs2DSupported;
// Every project event bit of the first twelve; the handler ignores them all.
constexpr GSFlags ProjectEventMask = 4095;

GSErrCode ProjectEventIgnored(API_NotifyEventID, Int32) { return NoError; }

}  // namespace

API_AddonType CheckEnvironment(API_EnvirParams* envir)
{
    const GSResModule resModule = ACAPI_GetOwnResModule();
    RSGetIndString(&envir->addOnInfo.name, ID_ADDON_INFO, ID_ADDON_INFO_NAME, resModule);
    RSGetIndString(&envir->addOnInfo.description, ID_ADDON_INFO, ID_ADDON_INFO_DESCRIPTION, resModule);
    QRV::SetHostLanguage(envir->serverInfo.language);
    return APIAddon_Preload;
}

GSErrCode RegisterInterface()
{
    GSErrCode err = ACAPI_AddOnAddOnCommunication_RegisterSupportedService(SupportedServiceCode, SupportedServiceVersion);
    if (err == NoError)
        err = ACAPI_MenuItem_RegisterMenu(ID_MENU_PLUGIN, 0, MenuCode_UserDef, 0);
    if (err == NoError)
        err = ACAPI_MenuItem_RegisterMenu(ID_MENU_OSTREL, 0, MenuCode_UserDef, 1);
    if (err == NoError)
        err = ACAPI_AddOnIntegration_RegisterFileType(QRV::JsonFileTypeRef, 0, 0, "json", 0, ID_FILE_TYPE_DESCRIPTION, 0,
                                                      JsonFileMethods);
    return err;
}

GSErrCode Initialize()
{
    GSErrCode err = ACAPI_MenuItem_InstallMenuHandler(ID_MENU_PLUGIN, QRV::MenuCommandHandler);
    if (err == NoError)
        err = ACAPI_MenuItem_InstallMenuHandler(ID_MENU_OSTREL, QRV::MenuCommandHandler);
    if (err == NoError)
        err = QRV::BrowserPalette::RegisterPaletteControlCallBack();
    if (err == NoError)
        err = QRV::Palette::RegisterPaletteControlCallBack();
    if (err == NoError)
        err = ACAPI_ProjectOperation_CatchProjectEvent(ProjectEventMask, ProjectEventIgnored);
    if (err == NoError)
        QRV::InstallElementEventHandlers();
    if (err == NoError)
        err = ACAPI_AddOnIntegration_InstallFileTypeHandler(QRV::JsonFileTypeRef, QRV::JsonFileHandler);
    if (err == NoError)
        err = QRV::BulkImportProgressManager::RegisterPaletteControlCallBack();
    return err;
}

GSErrCode FreeData() { return NoError; }
