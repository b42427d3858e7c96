#include "DG.h"

#include "Host.hpp"

short DGAlert(short alertType, const GS::UniString& largeText, const GS::UniString& smallText,
              const GS::UniString& button1, const GS::UniString& button2, const GS::UniString& button3)
{
    if (!Sim::HasHost())
        return 1;
    const char* type = alertType == DG_ERROR ? "error" : alertType == DG_WARNING ? "warning" : "information";
    return static_cast<short>(Sim::TheHost().ShowAlert(type, largeText.ToStdString(), smallText.ToStdString(),
                                                       button1.ToStdString(), button2.ToStdString(),
                                                       button3.ToStdString()));
}
