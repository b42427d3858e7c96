// The host's dialog library: panels, palettes, modal dialogs, items, observers and alerts.
#pragma once

#include "DG/Alert.hpp"
#include "DG/Browser.hpp"
#include "DG/Button.hpp"
#include "DG/CompoundItemObserver.hpp"
#include "DG/Dialog.hpp"
#include "DG/Item.hpp"
#include "DG/Panel.hpp"
#include "DG/RadioButton.hpp"
