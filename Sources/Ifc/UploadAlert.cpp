#include "UploadAlert.hpp"

#include "DG.h"

namespace QRV {

void ShowUploadAlert(const GS::UniString& largeText, const GS::UniString& smallText)
{
    DGAlert(DG_INFORMATION, "", largeText, smallText, "OK");
}

}  // namespace QRV
