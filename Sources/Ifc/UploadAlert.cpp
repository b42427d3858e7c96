#include "UploadAlert.hpp"

#include "Platform/HostAlert.hpp"

namespace QRV {

void ShowUploadAlert(const GS::UniString& largeText, const GS::UniString& smallText)
{
    Platform::ShowInformationAlert(largeText, smallText, "OK");
}

}  // namespace QRV
