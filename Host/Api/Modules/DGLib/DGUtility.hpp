// An observer of every item of a panel at once: a class that derives from it and from item observers
// (ButtonItemObserver, RadioItemObserver) hears the events of all the panel's items of those kinds.
#pragma once

#include "DGPanel.hpp"

namespace DG {

class HOSTLIB_API CompoundItemObserver {
public:
    CompoundItemObserver() = default;
    CompoundItemObserver(const CompoundItemObserver&) = delete;
    CompoundItemObserver& operator=(const CompoundItemObserver&) = delete;
    virtual ~CompoundItemObserver();  // detaches from every panel

    void AttachToAllItems(const Panel& panel);
    void DetachFromAllItems(const Panel& panel);
};

}  // namespace DG
