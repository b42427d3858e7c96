// Registration and integration functions: what the add-on registers is kept in the host's registry, with
// the host's rules for repeated registrations.
#include "ACAPinc.h"
#include "Host.hpp"

namespace Sim {
namespace {

Registry& Reg() { return TheHost().GetRegistry(); }

GSErrCode RegisterSupportedService(GSType cmdID, Int32 cmdVersion)
{
    Reg().service = std::make_pair(cmdID, cmdVersion);
    return NoError;
}

GSErrCode RegisterMenu(short menuStrResID, short promptStrResID, APIMenuCodeID menuPosCode, GSFlags menuFlags)
{
    for (const auto& menu : Reg().menus)
        if (menu.menuResID == menuStrResID)
            return APIERR_REFUSEDCMD;
    Reg().menus.push_back(RegisteredMenu{menuStrResID, promptStrResID, menuPosCode, menuFlags});
    return NoError;
}

GSErrCode InstallMenuHandler(short menuStrResID, APIMenuCommandProc* handlerProc)
{
    bool registered = false;
    for (const auto& menu : Reg().menus)
        registered = registered || menu.menuResID == menuStrResID;
    if (!registered || handlerProc == nullptr)
        return APIERR_BADID;
    Reg().menuHandlers[menuStrResID] = handlerProc;
    return NoError;
}

GSErrCode RegisterFileType(Int32 refCon, GSType ftype, GSType fcreator, const char* extname, short iconResID,
                           short descStrResID, short descStrResItemID, API_IOMethod methodFlags)
{
    if (extname == nullptr)
        return APIERR_BADPARS;
    Reg().fileTypes.push_back(RegisteredFileType{refCon, ftype, fcreator, extname, iconResID, descStrResID,
                                                 descStrResItemID, methodFlags});
    return NoError;
}

GSErrCode InstallFileTypeHandler(GSType cmdID, APIIOCommandProc* handlerProc)
{
    const Int32 refCon = static_cast<Int32>(cmdID);
    bool registered = false;
    for (const auto& fileType : Reg().fileTypes)
        registered = registered || fileType.refCon == refCon;
    if (!registered || handlerProc == nullptr)
        return APIERR_BADID;
    Reg().fileTypeHandlers[refCon] = handlerProc;
    return NoError;
}

GSErrCode RegisterModelessWindow(Int32 referenceID, APIPaletteControlCallBackProc* callBackProc,
                                 GSFlags controlFlags, const API_Guid& paletteGuid)
{
    if (callBackProc == nullptr)
        return APIERR_BADPARS;
    if (Reg().FindWindow(referenceID) != nullptr)
        return APIERR_WINDEXIST;
    Reg().windows.push_back(RegisteredWindow{referenceID, callBackProc, controlFlags, paletteGuid});
    return NoError;
}

GSErrCode UnregisterModelessWindow(Int32 referenceID)
{
    auto& windows = Reg().windows;
    for (auto it = windows.begin(); it != windows.end(); ++it) {
        if (it->referenceID == referenceID) {
            windows.erase(it);
            return NoError;
        }
    }
    return APIERR_WINDNOTEXIST;
}

GSErrCode CatchProjectEvent(GSFlags eventTypes, APIProjectEventHandlerProc* handlerProc)
{
    Reg().projectEventMask = handlerProc != nullptr ? eventTypes : 0;
    Reg().projectEventHandler = handlerProc;
    return NoError;
}

GSErrCode CatchNewElement(const API_ToolBoxItem* /*elemType*/, APIElementEventHandlerProc* handlerProc)
{
    Reg().newElementHandler = handlerProc;
    return NoError;
}

GSErrCode InstallElementObserver(APIElementEventHandlerProc* handlerProc)
{
    Reg().elementObserver = handlerProc;
    return NoError;
}

void KeepInMemory(bool keepIn) { Reg().keepInMemory = keepIn; }

void GetReleaseNumber(API_ServerApplicationInfo* serverApplicationInfo)
{
    if (serverApplicationInfo == nullptr)
        return;
    *serverApplicationInfo = API_ServerApplicationInfo{};
    serverApplicationInfo->mainVersion = 27;
    serverApplicationInfo->language = GS::UniString(TheHost().Options().language.c_str());
}

}  // namespace
}  // namespace Sim

SIM_FAMILY(Registration)
{
    using namespace Sim;
    SIM_BIND(table, AddOnAddOnCommunication_RegisterSupportedService, &RegisterSupportedService);
    SIM_BIND(table, MenuItem_RegisterMenu, &RegisterMenu);
    SIM_BIND(table, MenuItem_InstallMenuHandler, &InstallMenuHandler);
    SIM_BIND(table, AddOnIntegration_RegisterFileType, &RegisterFileType);
    SIM_BIND(table, AddOnIntegration_InstallFileTypeHandler, &InstallFileTypeHandler);
    SIM_BIND(table, RegisterModelessWindow, &RegisterModelessWindow);
    SIM_BIND(table, UnregisterModelessWindow, &UnregisterModelessWindow);
    SIM_BIND(table, ProjectOperation_CatchProjectEvent, &CatchProjectEvent);
    SIM_BIND(table, Element_CatchNewElement, &CatchNewElement);
    SIM_BIND(table, Element_InstallElementObserver, &InstallElementObserver);
    SIM_BIND(table, KeepInMemory, &KeepInMemory);
    SIM_BIND(table, GetReleaseNumber, &GetReleaseNumber);
}
