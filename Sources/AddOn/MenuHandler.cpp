#include "MenuHandler.hpp"

namespace QRV {

GSErrCode MenuCommandHandler(const API_MenuParams* /*menuParams*/)
{
    return NoError;
}

}  // namespace QRV
