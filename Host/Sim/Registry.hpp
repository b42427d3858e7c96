// What an add-on registered with the host: its service, menus, file types, modeless windows and the
// handlers the host calls back.
#pragma once

#include "APIdefs_Callback.h"
#include "APIdefs_Registration.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace Sim {

struct RegisteredMenu {
    short menuResID = 0;
    short promptResID = 0;
    Int32 positionCode = 0;
    GSFlags flags = 0;
};

struct RegisteredFileType {
    Int32 refCon = 0;
    GSType type = 0;
    GSType creator = 0;
    std::string extension;
    short iconResID = 0;
    short descStrResID = 0;
    short descStrResItemID = 0;
    API_IOMethod actionFlags = 0;
};

struct RegisteredWindow {
    Int32 referenceID = 0;
    APIPaletteControlCallBackProc* callback = nullptr;
    GSFlags controlFlags = 0;
    API_Guid guid{};
};

struct Registry {
    std::optional<std::pair<GSType, Int32>> service;
    std::vector<RegisteredMenu> menus;
    std::map<short, APIMenuCommandProc*> menuHandlers;
    std::vector<RegisteredFileType> fileTypes;
    std::map<Int32, APIIOCommandProc*> fileTypeHandlers;
    std::vector<RegisteredWindow> windows;
    GSFlags projectEventMask = 0;
    APIProjectEventHandlerProc* projectEventHandler = nullptr;
    APIElementEventHandlerProc* newElementHandler = nullptr;
    APIElementEventHandlerProc* elementObserver = nullptr;
    bool keepInMemory = false;

    const RegisteredWindow* FindWindow(Int32 referenceID) const;
};

}  // namespace Sim
