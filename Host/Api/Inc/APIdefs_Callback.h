// The add-on's callbacks: menu commands, file types, palettes, project events and element notifications,
// with the records the host hands them.
#pragma once

#include "APIdefs_Base.h"
#include "APIdefs_Database.h"
#include "APIdefs_Elements.h"
#include "APIdefs_Interface.h"

namespace IO { class Location; }

// The menu item the user chose; menuItemRef.menuResID is the menu the handler was installed for.
struct API_MenuParams {
    API_MenuItemRef menuItemRef;
};

// What the host asks a file type handler to do with a file.
#define IO_OPEN 1
#define IO_MERGE 2
#define IO_OPENLIBPART 3
#define IO_SAVEAS 4

struct API_IOParams {
    short refCon;            // the reference number the file type was registered with
    short method;            // IO_OPEN, IO_MERGE, ...
    UInt32 fileTypeID;
    IO::Location* fileLoc;
};

// Project events, as bits of the event mask.
typedef enum {
    APINotify_New = 0x00000001,
    APINotify_NewAndReset = 0x00000002,
    APINotify_Open = 0x00000004,
    APINotify_PreSave = 0x00000008,
    APINotify_Save = 0x00000010,
    APINotify_Close = 0x00000020,
    APINotify_Quit = 0x00000040,
    APINotify_TempSave = 0x00000080,
    APINotify_ChangeProjectDB = 0x00040000,
    APINotify_ChangeWindow = 0x00080000,
    APINotify_ChangeFloor = 0x00100000,
    APINotify_ChangeLibrary = 0x00200000,
} API_NotifyEventID;

// Element notifications.
typedef enum {
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
} API_ElementDBEventID;

// One notification: the element it is about, or the database of a begin/end notification. Where the
// element came from (the original of a copy) is asked with ACAPI_Notification_GetParentElement.
struct API_NotifyElementType {
    API_ElementDBEventID notifID;
    API_Elem_Head elemHead;
    API_DatabaseUnId databaseId;
};

typedef GSErrCode APIMenuCommandProc(const API_MenuParams* menuParams);
typedef GSErrCode APIIOCommandProc(const API_IOParams* ioParams);
typedef GSErrCode APIProjectEventHandlerProc(API_NotifyEventID notifID, Int32 param);
typedef GSErrCode APIElementEventHandlerProc(const API_NotifyElementType* elemType);
// For APIPalMsg_IsPaletteVisible the parameter is the address of a bool that receives the answer.
typedef GSErrCode APIPaletteControlCallBackProc(Int32 referenceID, API_PaletteMessageID messageID, GS::IntPtr param);
