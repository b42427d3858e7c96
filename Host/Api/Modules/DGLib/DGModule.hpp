// The host's dialog library: panels, palettes, modal dialogs, items, observers and alerts.
#pragma once

#include "DG.h"
#include "DGBrowser.hpp"
#include "DGButton.hpp"
#include "DGUtility.hpp"
#include "DGDialog.hpp"
#include "DGItem.hpp"
#include "DGPanel.hpp"
#include "DGRadioItem.hpp"
