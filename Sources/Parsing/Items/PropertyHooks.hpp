// How the project writer plugs the storing and reloading of an item's catalogue properties into the item
// classes, which know nothing of the project: it installs one pair of functions per item class at start-up.
#pragma once

#include "APIdefs_Attributes.h"

#include <functional>

namespace QRV {

template <typename Item>
struct PropertyHooks {
    std::function<void(Item& item, const API_Attribute* attributeRecord)> store;
    std::function<void(Item& item)> loadStored;
};

}  // namespace QRV
