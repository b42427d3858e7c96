// DG items: one item of a panel's layout, by its number (from 1, in layout order), their events and
// observers. An item object whose number is not an item of the kind its class expects is a programming
// error: the host reports it and the object is not valid.
#pragma once

#include "DGUtility.hpp"
#include "UniString.hpp"

namespace DG {

class Item;
class EventDispatcher;

class DG_DLL_EXPORT ItemEvent {
private:
    Item* source;
    const DG::EventArg& msgData;

protected:
    ItemEvent(Item* source, const DG::EventArg& msgData);
    const DG::EventArg& GetMessageData() const;

public:
    virtual ~ItemEvent();
    Item* GetSource() const;
};

class DG_DLL_EXPORT ItemChangeEvent : public ItemEvent {
    friend class Item;

protected:
    ItemChangeEvent(Item* source, const DG::EventArg& msgData);

public:
    ~ItemChangeEvent();
};

class DG_DLL_EXPORT ItemClickEvent : public ItemEvent {
    friend class Item;

protected:
    ItemClickEvent(Item* source, const DG::EventArg& msgData);

public:
    ~ItemClickEvent();
};

class DG_DLL_EXPORT ItemObserver {
    friend class Item;

protected:
    virtual void ItemChanged(const ItemChangeEvent& ev);
    virtual void ItemClicked(const ItemClickEvent& ev);

    virtual short SpecChanged(const ItemChangeEvent& ev);
    virtual short SpecClicked(const ItemClickEvent& ev);

public:
    ItemObserver();
    // Detaches from every item.
    virtual ~ItemObserver();
};

class DG_DLL_EXPORT ItemBase {
private:
    short panelId;
    short itemId;
    bool created;

protected:
    ItemBase();
    void Set(short panelId, short itemId, bool created);

public:
    virtual ~ItemBase();

    // The item exists in its panel's layout and is of the kind of its class.
    bool IsValid() const;
    Panel* GetPanel() const;
    short GetPanelId() const;
    short GetId() const;
};

class DG_DLL_EXPORT Item : virtual public ItemBase {
    friend class EventDispatcher;

private:
    Item(const Item&);
    Item& operator=(const Item& item);

protected:
    virtual short ProcessChangeEvent(const DG::EventArg& msgData);
    virtual short ProcessClickEvent(const DG::EventArg& msgData);

    Item();
    Item(const Panel& panel, short item);
    void Init(const Panel& panel, short item);

public:
    ~Item();

    bool operator==(const Item& rightOp) const;
    bool operator!=(const Item& rightOp) const;

    void Attach(ItemObserver& observer);
    void Detach(ItemObserver& observer);

    void Show();
    void Hide();
    void SetVisibility(bool show);
    bool IsVisible() const;

    void Enable();
    void Disable();
    void SetStatus(bool enable);
    bool IsEnabled() const;

    void Move(short hDisp, short vDisp);
    void Resize(short hGrow, short vGrow);
    void MoveAndResize(short hDisp, short vDisp, short hGrow, short vGrow);
    void SetSize(short width, short height);

    short GetWidth() const;
    short GetHeight() const;
};

}  // namespace DG
