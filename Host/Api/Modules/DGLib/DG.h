// The host's alert: a message with up to three buttons; answers the 1-based number of the button pressed.
#pragma once

#include "UniString.hpp"

enum DGAlertType : short { DG_ERROR = 0, DG_WARNING = 1, DG_INFORMATION = 2 };

HOSTLIB_API short DGAlert(short alertType, const GS::UniString& largeText, const GS::UniString& smallText,
                          const GS::UniString& button1, const GS::UniString& button2 = GS::UniString(),
                          const GS::UniString& button3 = GS::UniString());
