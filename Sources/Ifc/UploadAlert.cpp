#include "UploadAlert.hpp"

#include "DG/Alert.hpp"

namespace QRV {

void ShowUploadAlert(const GS::UniString& largeText, const GS::UniString& smallText)
{
    DGAlert(DG_INFORMATION, largeText, smallText, "OK");
}

}  // namespace QRV
