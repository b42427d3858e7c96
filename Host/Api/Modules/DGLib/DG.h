// The dialog library's C interface, as far as an add-on uses it: the host's alert.
#pragma once

#include "GSGuid.hpp"
#include "GSRoot.hpp"
#include "Ref.hpp"
#include "UniString.hpp"
#include "RSTypes.hpp"

#include "DGDLLExport.h"
#include "DGEventArgs.hpp"
#include "DGDefs.h"

// A message with up to three buttons; answers the number of the button pressed (DG_OK for the first).
DG_DLL_EXPORT short CCALL DGAlert(short alertType, const GS::UniString& titleText = GS::UniString(),
                                  const GS::UniString& largeText = GS::UniString(),
                                  const GS::UniString& smallText = GS::UniString(),
                                  const GS::UniString& button1Text = GS::UniString(),
                                  const GS::UniString& button2Text = GS::UniString(),
                                  const GS::UniString& button3Text = GS::UniString());
