// Records of the host's user interface: menu items and palette messages.
#pragma once

#include "APIdefs_Base.h"

// A menu item: the menu's string resource and the item's 1-based place in it.
struct API_MenuItemRef {
    short menuResID;
    Int32 itemIndex;
};

// What the host asks of a modeless window (palette).
typedef enum {
    APIPalMsg_ClosePalette = 1,
    APIPalMsg_HidePalette_Begin = 2,
    APIPalMsg_HidePalette_End = 3,
    APIPalMsg_DisableItems_Begin = 4,
    APIPalMsg_DisableItems_End = 5,
    APIPalMsg_OpenPalette = 6,
    APIPalMsg_IsPaletteVisible = 7,  // the parameter is the address of a bool that receives the answer
} API_PaletteMessageID;

// Whether the host's menu commands stay enabled while the window is open.
typedef enum {
    API_MenuCommandEnabled,
    API_MenuCommandDisabled,
} API_ProcessControlTypeID;
