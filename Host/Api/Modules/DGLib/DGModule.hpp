// The dialog library's main header.
#pragma once

#include "DG.h"
#include "DGBarControl.hpp"
#include "DGButton.hpp"
#include "DGDialog.hpp"
#include "DGItem.hpp"
#include "DGPanel.hpp"
#include "DGRadioItem.hpp"
#include "DGStaticItem.hpp"
#include "DGUtility.hpp"
#include "DGBrowser.hpp"

namespace DG {

enum AlertResponse { Accept = DG_OK, Cancel = DG_CANCEL, Third = DG_THIRD };

}  // namespace DG
