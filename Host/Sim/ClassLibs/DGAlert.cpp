#include "DG.h"

#include "Host.hpp"
#include "SimUtf8.hpp"

short DGAlert(short alertType, const GS::UniString& largeText, const GS::UniString& smallText,
              const GS::UniString& button1, const GS::UniString& button2, const GS::UniString& button3)
{
    if (!Sim::HasHost())
        return 1;
    const char* type = alertType == DG_ERROR ? "error" : alertType == DG_WARNING ? "warning" : "information";
    return static_cast<short>(Sim::TheHost().ShowAlert(type, Sim::Utf8(largeText), Sim::Utf8(smallText),
                                                       Sim::Utf8(button1), Sim::Utf8(button2),
                                                       Sim::Utf8(button3)));
}
