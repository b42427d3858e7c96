// How the simulated user interface hands its events to the dialog library's objects: through the
// dispatcher the library's classes befriend, with the event data the simulator sends along.
#pragma once

#include "DGModule.hpp"

namespace Sim {

// What a panel event carries: the close answer (DG_OK: accepted), the size change of a resize.
class PanelEventData : public DG::EventArg {
public:
    short retCode = DG_OK;
    short hGrow = 0;
    short vGrow = 0;
    bool byUser = true;
};

// What an item event carries: for a radio change, the item of the group that was selected before.
class ItemEventData : public DG::EventArg {
public:
    DG::Item* previousSelection = nullptr;
};

}  // namespace Sim

namespace DG {

class EventDispatcher {
public:
    static short Opened(Panel& panel, const Sim::PanelEventData& data) { return panel.ProcessOpenEvent(data); }
    // DG_OK when every observer accepted; the panel may be gone afterwards.
    static short CloseRequested(Panel& panel, const Sim::PanelEventData& data)
    {
        return panel.ProcessCloseRequestEvent(data);
    }
    static short Closed(Panel& panel, const Sim::PanelEventData& data) { return panel.ProcessCloseEvent(data); }
    static short Resized(Panel& panel, Sim::PanelEventData& data) { return panel.ProcessResizeEvent(data); }

    static short Clicked(Item& item, const Sim::ItemEventData& data) { return item.ProcessClickEvent(data); }
    static short Changed(Item& item, const Sim::ItemEventData& data) { return item.ProcessChangeEvent(data); }
};

}  // namespace DG
