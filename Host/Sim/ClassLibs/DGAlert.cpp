#include "DG.h"

#include "Host.hpp"
#include "SimUtf8.hpp"

short DGAlert(short alertType, const GS::UniString& titleText, const GS::UniString& largeText,
              const GS::UniString& smallText, const GS::UniString& button1Text, const GS::UniString& button2Text,
              const GS::UniString& button3Text)
{
    if (!Sim::HasHost())
        return DG_OK;
    const char* type = alertType == DG_ERROR ? "error" : alertType == DG_WARNING ? "warning" : "information";
    return static_cast<short>(Sim::TheHost().ShowAlert(type, Sim::Utf8(largeText), Sim::Utf8(smallText),
                                                       Sim::Utf8(button1Text), Sim::Utf8(button2Text),
                                                       Sim::Utf8(button3Text), Sim::Utf8(titleText)));
}
