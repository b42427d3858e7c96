#include "MenuHandler.hpp"

#include "BrowserPalette.hpp"
#include "Support/HostBoundary.hpp"
#include "Palette.hpp"
#include "ResourceIds.hpp"

namespace QRV {

GSErrCode MenuCommandHandler(const API_MenuParams* menuParams)
{
    if (menuParams == nullptr || menuParams->menuItemRef.itemIndex != 1)
        return NoError;
    const short menu = menuParams->menuItemRef.menuResID;
    RunForHost("MenuCommandHandler", [menu]() {
        if (menu == ID_MENU_PLUGIN)
            BrowserPalette::Toggle();
        else if (menu == ID_MENU_OSTREL)
            Palette::Toggle();
    });
    return NoError;
}

}  // namespace QRV
