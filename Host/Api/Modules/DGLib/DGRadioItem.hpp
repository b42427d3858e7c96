// DG radio buttons: one of a group is selected; selecting one deselects the others of its group.
#pragma once

#include "DGItemProperty.hpp"

namespace DG {

class RadioItem;

class DG_DLL_EXPORT RadioItemChangeEvent : public ItemChangeEvent {
    friend class RadioItemObserver;

private:
    Item* previousSelection;

protected:
    explicit RadioItemChangeEvent(const ItemChangeEvent& ev);

public:
    ~RadioItemChangeEvent();
    RadioItem* GetSource() const;
    // The item of the group that was selected before, when there was one.
    Item* GetPreviousGroupSelection() const;
};

class DG_DLL_EXPORT RadioItemObserver : public ItemObserver {
protected:
    virtual short SpecChanged(const ItemChangeEvent& ev) override;
    // Sent to the item that became selected.
    virtual void RadioItemChanged(const RadioItemChangeEvent& ev);

public:
    RadioItemObserver();
    ~RadioItemObserver();
};

class DG_DLL_EXPORT RadioItem : public Item {
protected:
    RadioItem();
    RadioItem(const Panel& panel, short item);

public:
    ~RadioItem();
    void Attach(RadioItemObserver& observer);
    void Detach(RadioItemObserver& observer);
    void Select();
    bool IsSelected() const;
};

class DG_DLL_EXPORT RadioButton : public RadioItem, public ItemTextProperty {
public:
    RadioButton(const Panel& panel, short item);
    ~RadioButton();
};

}  // namespace DG
