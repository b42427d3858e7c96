// DG radio buttons: one of a group is selected; selecting one deselects the others of its group.
#pragma once

#include "DGItem.hpp"

namespace DG {

class RadioButton;

class HOSTLIB_API RadioItemChangeEvent {
public:
    explicit RadioItemChangeEvent(RadioButton* source) : source_(source) {}
    virtual ~RadioItemChangeEvent();
    RadioButton* GetSource() const { return source_; }

private:
    RadioButton* source_;
};

class HOSTLIB_API RadioItemObserver {
public:
    RadioItemObserver() = default;
    RadioItemObserver(const RadioItemObserver&) = delete;
    RadioItemObserver& operator=(const RadioItemObserver&) = delete;
    virtual ~RadioItemObserver();  // detaches from every radio button
    // Sent to the button that became selected.
    virtual void RadioButtonChanged(const RadioItemChangeEvent& ev);
};

class HOSTLIB_API RadioButton : public Item {
public:
    RadioButton(const Panel& panel, short itemId);
    ~RadioButton() override;
    void Attach(RadioItemObserver& observer);
    void Detach(RadioItemObserver& observer);
    void Select();
    bool IsSelected() const;
    GS::UniString GetText() const;
};

}  // namespace DG
