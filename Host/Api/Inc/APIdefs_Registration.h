// Records and callbacks of add-on registration: the environment check, menus, file types, modeless
// windows, project and element notifications, and the module binding's export table.
#pragma once

#include "APIdefs_Base.h"

namespace IO { class Location; }

enum API_AddonType : Int32 {
    APIAddon_Unknown = 0,
    APIAddon_DontRegister = 1,
    APIAddon_Preload = 2,  // loaded at start-up and kept resident
    APIAddon_Normal = 3,
};

struct API_ServerInfo {
    Int32 mainVersion = 27;
    Int32 releaseVersion = 0;
    Int32 buildNum = 0;
    GS::UniString language;  // the host's language code, e.g. "INT" or "GER"
};

struct API_AddOnInfo {
    GS::UniString name;
    GS::UniString description;
};

struct API_EnvirParams {
    API_ServerInfo serverInfo;
    API_AddOnInfo addOnInfo;
};

// Menus.
enum APIMenuCodeID : Int32 { MenuCode_UserDef = 0 };

struct API_MenuItemRef {
    short menuResID = 0;
    Int32 itemIndex = 0;  // 1-based
};

struct API_MenuParams {
    API_MenuItemRef menuItemRef;
};

using APIMenuCommandProc = GSErrCode(const API_MenuParams* menuParams);

// Modeless windows (palettes).
enum API_PaletteMessageID : Int32 {
    APIPalMsg_ClosePalette = 1,
    APIPalMsg_HidePalette_Begin = 2,
    APIPalMsg_HidePalette_End = 3,
    APIPalMsg_DisableItems_Begin = 4,
    APIPalMsg_DisableItems_End = 5,
    APIPalMsg_OpenPalette = 6,
    APIPalMsg_IsPaletteVisible = 7,
};

// For APIPalMsg_IsPaletteVisible the parameter is the address of a bool that receives the answer.
using APIPaletteControlCallBackProc = GSErrCode(Int32 referenceID, API_PaletteMessageID messageID, GS::IntPtr param);

// Project events, as bits of the event mask.
enum API_NotifyEventID : Int32 {
    APINotify_New = 0x0001,
    APINotify_NewAndReset = 0x0002,
    APINotify_Open = 0x0004,
    APINotify_PreSave = 0x0008,
    APINotify_Save = 0x0010,
    APINotify_Close = 0x0020,
    APINotify_Quit = 0x0040,
    APINotify_TempSave = 0x0080,
    APINotify_ChangeProjectDB = 0x0100,
    APINotify_ChangeWindow = 0x0200,
    APINotify_ChangeFloor = 0x0400,
    APINotify_ChangeLibrary = 0x0800,
    APINotify_All = 0x0FFF,
};

using APIProjectEventHandlerProc = GSErrCode(API_NotifyEventID notifID, Int32 param);

// Element notifications.
enum API_ElementDBEventID : Int32 {
    APINotifyElement_BeginEvents = -1,
    APINotifyElement_EndEvents = -2,
    APINotifyElement_New = 1,
    APINotifyElement_Copy = 2,
    APINotifyElement_Change = 3,
    APINotifyElement_Edit = 4,
    APINotifyElement_Delete = 5,
    APINotifyElement_Undo_Created = 11,
    APINotifyElement_Undo_Modified = 12,
    APINotifyElement_Undo_Deleted = 13,
    APINotifyElement_Redo_Created = 14,
    APINotifyElement_Redo_Modified = 15,
    APINotifyElement_Redo_Deleted = 16,
    APINotifyElement_PropertyValueChange = 17,
    APINotifyElement_ClassificationChange = 18,
};

struct API_NotifyElementType {
    API_ElementDBEventID notifID = APINotifyElement_New;
    API_Elem_Head elemHead;
    API_Guid parentGuid{};         // the element it was copied or changed from; null when none
    API_DatabaseUnId databaseId;   // begin/end notifications only
};

using APIElementEventHandlerProc = GSErrCode(const API_NotifyElementType* elemType);

struct API_ToolBoxItem {
    API_ElemType type;
};

// Files opened through the host.
enum API_IOMethod : Int16 { IO_MERGE = 1, IO_OPEN = 2, IO_SAVEAS = 3 };

struct API_IOParams {
    Int32 refCon = 0;
    Int16 method = 0;      // the I/O method code: the 16-bit value at the second position
    IO::Location* fileLoc = nullptr;
};

using APIIOCommandProc = GSErrCode(const API_IOParams* ioParams);
