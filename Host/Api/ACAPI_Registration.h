// Registration and integration functions of the host.
#pragma once

#include "ACAPI_Binding.hpp"
#include "APIdefs_Registration.h"

ACAPI_FUNCTION(AddOnIntegration_RegisterSupportedService, (GSType cmdID, Int32 cmdVersion), (cmdID, cmdVersion))
ACAPI_FUNCTION(MenuItem_RegisterMenu,
               (short menuStrResID, short promptStrResID, APIMenuCodeID menuPosCode, GSFlags menuFlags),
               (menuStrResID, promptStrResID, menuPosCode, menuFlags))
ACAPI_FUNCTION(MenuItem_InstallMenuHandler, (short menuStrResID, APIMenuCommandProc* handlerProc),
               (menuStrResID, handlerProc))
ACAPI_FUNCTION(AddOnIntegration_RegisterFileType,
               (Int32 refCon, GSType ftype, GSType fcreator, const char* extname, short iconResID,
                short descStrResID, short descStrResItemID, GSFlags actionFlags),
               (refCon, ftype, fcreator, extname, iconResID, descStrResID, descStrResItemID, actionFlags))
ACAPI_FUNCTION(AddOnIntegration_InstallFileTypeHandler, (Int32 refCon, APIIOCommandProc* handlerProc),
               (refCon, handlerProc))
ACAPI_FUNCTION(RegisterModelessWindow,
               (Int32 referenceID, APIPaletteControlCallBackProc* callBackProc, GSFlags controlFlags,
                const API_Guid* guid),
               (referenceID, callBackProc, controlFlags, guid))
ACAPI_FUNCTION(UnregisterModelessWindow, (Int32 referenceID), (referenceID))
ACAPI_FUNCTION(ProjectOperation_CatchProjectEvent, (GSFlags eventTypes, APIProjectEventHandlerProc* handlerProc),
               (eventTypes, handlerProc))
ACAPI_FUNCTION(Element_CatchNewElement, (const API_ToolBoxItem* elemType, APIElementEventHandlerProc* handlerProc),
               (elemType, handlerProc))
ACAPI_FUNCTION(Element_InstallElementObserver, (APIElementEventHandlerProc* handlerProc), (handlerProc))
ACAPI_FUNCTION(KeepInMemory, (bool keepIt), (keepIt))
ACAPI_FUNCTION(GetOwnResModule, (GSResModule* resModule), (resModule))
ACAPI_FUNCTION(GetApplicationInfo, (API_ServerInfo* serverInfo), (serverInfo))
