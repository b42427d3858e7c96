// DG buttons: push buttons with a text, icon buttons, and the observer that hears their clicks.
#pragma once

#include "DGItemProperty.hpp"

namespace DG {

class ButtonItem;

class DG_DLL_EXPORT ButtonClickEvent : public ItemClickEvent {
    friend class ButtonItemObserver;

protected:
    explicit ButtonClickEvent(const ItemClickEvent& ev);

public:
    ~ButtonClickEvent();
    ButtonItem* GetSource() const;
};

class DG_DLL_EXPORT ButtonItemObserver : public ItemObserver {
protected:
    virtual short SpecClicked(const ItemClickEvent& ev) override;
    virtual void ButtonClicked(const ButtonClickEvent& ev);

public:
    ButtonItemObserver();
    ~ButtonItemObserver();
};

class DG_DLL_EXPORT ButtonItem : public Item {
protected:
    ButtonItem();
    ButtonItem(const Panel& panel, short item);

public:
    ~ButtonItem();
    void Attach(ButtonItemObserver& observer);
    void Detach(ButtonItemObserver& observer);
};

class DG_DLL_EXPORT Button : public ButtonItem, public ItemTextProperty, public ItemIconProperty {
public:
    Button(const Panel& panel, short item);
    ~Button();
};

class DG_DLL_EXPORT IconButton : public ButtonItem, public ItemIconProperty {
public:
    IconButton(const Panel& panel, short item);
    ~IconButton();
};

}  // namespace DG
