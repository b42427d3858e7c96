// DG buttons: push buttons with a text, icon buttons, and the observer that hears their clicks.
#pragma once

#include "DGItem.hpp"

namespace DG {

class ButtonItem;

class HOSTLIB_API ButtonClickEvent {
public:
    explicit ButtonClickEvent(ButtonItem* source) : source_(source) {}
    virtual ~ButtonClickEvent();
    ButtonItem* GetSource() const { return source_; }

private:
    ButtonItem* source_;
};

class HOSTLIB_API ButtonItemObserver {
public:
    ButtonItemObserver() = default;
    ButtonItemObserver(const ButtonItemObserver&) = delete;
    ButtonItemObserver& operator=(const ButtonItemObserver&) = delete;
    virtual ~ButtonItemObserver();  // detaches from every button
    virtual void ButtonClicked(const ButtonClickEvent& ev);
};

class HOSTLIB_API ButtonItem : public Item {
public:
    ~ButtonItem() override;
    void Attach(ButtonItemObserver& observer);
    void Detach(ButtonItemObserver& observer);

protected:
    ButtonItem(const Panel& panel, short itemId, const char* className, const char* kinds);
};

class HOSTLIB_API Button : public ButtonItem {
public:
    Button(const Panel& panel, short itemId);
    ~Button() override;
    void SetText(const GS::UniString& text);
    GS::UniString GetText() const;
};

class HOSTLIB_API IconButton : public ButtonItem {
public:
    IconButton(const Panel& panel, short itemId);
    ~IconButton() override;
    Int32 GetIcon() const;
};

}  // namespace DG
