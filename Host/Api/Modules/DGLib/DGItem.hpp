// DG items: one item of a panel's layout, by its number. An item object whose number is not an item of
// the kind its class expects is a programming error: the host reports it and the object does nothing.
#pragma once

#include "DGPanel.hpp"

namespace DG {

class HOSTLIB_API Item {
public:
    // Any kind of item.
    Item(const Panel& panel, short itemId);
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;
    virtual ~Item();

    Panel* GetPanel() const { return panel_; }
    short GetId() const { return itemId_; }
    // The item exists in the layout and is of this class's kind.
    bool IsValid() const { return valid_; }

    void Enable();
    void Disable();
    void SetStatus(bool enable);
    bool IsEnabled() const;
    void Show();
    void Hide();
    bool IsVisible() const;

    Int32 GetX() const;
    Int32 GetY() const;
    Int32 GetWidth() const;
    Int32 GetHeight() const;
    void Move(Int32 dx, Int32 dy);
    void Resize(Int32 dx, Int32 dy);
    void MoveAndResize(Int32 dx, Int32 dy, Int32 dw, Int32 dh);

protected:
    // `kinds`: the layout kinds this class accepts, separated by '|'; `className` names it in reports.
    Item(const Panel& panel, short itemId, const char* className, const char* kinds);
    Int32 GetPanelId() const { return panelId_; }

private:
    Panel* panel_;
    Int32 panelId_;
    short itemId_;
    bool valid_ = false;
};

class HOSTLIB_API StaticText : public Item {
public:
    StaticText(const Panel& panel, short itemId);
    ~StaticText() override;
    void SetText(const GS::UniString& text);
    GS::UniString GetText() const;

protected:
    StaticText(const Panel& panel, short itemId, const char* className, const char* kinds);
};

class HOSTLIB_API LeftText : public StaticText {
public:
    LeftText(const Panel& panel, short itemId);
    ~LeftText() override;
};

class HOSTLIB_API ProgressBar : public Item {
public:
    ProgressBar(const Panel& panel, short itemId);
    ~ProgressBar() override;
    void SetMin(Int32 minimum);
    void SetMax(Int32 maximum);
    // Kept within the bar's bounds.
    void SetValue(Int32 value);
    Int32 GetMin() const;
    Int32 GetMax() const;
    Int32 GetValue() const;
};

}  // namespace DG
