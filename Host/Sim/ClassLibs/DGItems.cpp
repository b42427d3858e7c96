// The host's dialog library, item side: each item object names one item of its panel's layout and keeps
// its state in the simulated user interface.
#include "DGModule.hpp"

#include "EventDispatcher.hpp"
#include "UserInterface.hpp"
#include "SimUtf8.hpp"

#include <algorithm>

namespace DG {
namespace {

template <typename Action>
void WithUi(Action action)
{
    if (Sim::UserInterface* ui = Sim::UserInterface::Current())
        action(*ui);
}

// The item's state when the item object is valid and its panel still exists.
Sim::ItemState* StateOf(const ItemBase& item)
{
    Sim::UserInterface* ui = Sim::UserInterface::Current();
    return item.IsValid() && ui != nullptr ? ui->FindItem(item.GetPanelId(), item.GetId()) : nullptr;
}

// Whether the layout item suits the class; a programming error is reported when it does not. The object
// then takes part in the user interface's events.
bool Claim(Item& item, const char* className, const char* kinds)
{
    bool claimed = false;
    WithUi([&](Sim::UserInterface& ui) {
        claimed = ui.CheckItem(item.GetPanelId(), item.GetId(), className, kinds) != nullptr;
        if (claimed)
            ui.AddItemObject(item.GetPanelId(), item.GetId(), &item);
    });
    return claimed;
}

// Tells each observer of the item's event; an observer may destroy the item or detach others while it is
// told, so the list is asked afresh before each call and nothing of the item is touched afterwards.
template <typename Notify>
void TellObservers(short panelId, short itemId, ItemObserver* (*asItemObserver)(CompoundItemObserver*), Notify notify)
{
    Sim::UserInterface* ui = Sim::UserInterface::Current();
    if (ui == nullptr)
        return;
    for (ItemObserver* observer : ui->ItemObservers(panelId, itemId, asItemObserver)) {
        const auto current = ui->ItemObservers(panelId, itemId, asItemObserver);
        if (std::find(current.begin(), current.end(), observer) != current.end())
            notify(observer);
    }
}

ItemObserver* AsButtonObserver(CompoundItemObserver* compound) { return dynamic_cast<ButtonItemObserver*>(compound); }
ItemObserver* AsRadioObserver(CompoundItemObserver* compound) { return dynamic_cast<RadioItemObserver*>(compound); }

}  // namespace

// ---- Events ----

ItemEvent::ItemEvent(Item* eventSource, const EventArg& eventData) : source(eventSource), msgData(eventData) {}
ItemEvent::~ItemEvent() = default;
const EventArg& ItemEvent::GetMessageData() const { return msgData; }
Item* ItemEvent::GetSource() const { return source; }

ItemChangeEvent::ItemChangeEvent(Item* eventSource, const EventArg& eventData) : ItemEvent(eventSource, eventData) {}
ItemChangeEvent::~ItemChangeEvent() = default;

ItemClickEvent::ItemClickEvent(Item* eventSource, const EventArg& eventData) : ItemEvent(eventSource, eventData) {}
ItemClickEvent::~ItemClickEvent() = default;

ButtonClickEvent::ButtonClickEvent(const ItemClickEvent& ev) : ItemClickEvent(ev) {}
ButtonClickEvent::~ButtonClickEvent() = default;
ButtonItem* ButtonClickEvent::GetSource() const { return dynamic_cast<ButtonItem*>(ItemEvent::GetSource()); }

RadioItemChangeEvent::RadioItemChangeEvent(const ItemChangeEvent& ev) : ItemChangeEvent(ev), previousSelection(nullptr)
{
    if (const auto* data = dynamic_cast<const Sim::ItemEventData*>(&GetMessageData()))
        previousSelection = data->previousSelection;
}
RadioItemChangeEvent::~RadioItemChangeEvent() = default;
RadioItem* RadioItemChangeEvent::GetSource() const { return dynamic_cast<RadioItem*>(ItemEvent::GetSource()); }
Item* RadioItemChangeEvent::GetPreviousGroupSelection() const { return previousSelection; }

// ---- Observers ----

ItemObserver::ItemObserver() = default;

ItemObserver::~ItemObserver()
{
    WithUi([this](Sim::UserInterface& ui) { ui.ForgetObserver(this); });
}

void ItemObserver::ItemChanged(const ItemChangeEvent&) {}
void ItemObserver::ItemClicked(const ItemClickEvent&) {}

short ItemObserver::SpecChanged(const ItemChangeEvent& ev)
{
    ItemChanged(ev);
    return 0;
}

short ItemObserver::SpecClicked(const ItemClickEvent& ev)
{
    ItemClicked(ev);
    return 0;
}

ButtonItemObserver::ButtonItemObserver() = default;
ButtonItemObserver::~ButtonItemObserver() = default;

short ButtonItemObserver::SpecClicked(const ItemClickEvent& ev)
{
    ButtonClicked(ButtonClickEvent(ev));
    return 0;
}

void ButtonItemObserver::ButtonClicked(const ButtonClickEvent&) {}

RadioItemObserver::RadioItemObserver() = default;
RadioItemObserver::~RadioItemObserver() = default;

short RadioItemObserver::SpecChanged(const ItemChangeEvent& ev)
{
    RadioItemChanged(RadioItemChangeEvent(ev));
    return 0;
}

void RadioItemObserver::RadioItemChanged(const RadioItemChangeEvent&) {}

CompoundItemObserver::CompoundItemObserver() = default;

CompoundItemObserver::~CompoundItemObserver()
{
    WithUi([this](Sim::UserInterface& ui) { ui.ForgetObserver(this); });
}

short CompoundItemObserver::AttachToAllItems(const Panel& panel)
{
    short count = 0;
    WithUi([&](Sim::UserInterface& ui) {
        ui.AttachCompoundObserver(panel.GetId(), this);
        count = panel.GetItemCount();
    });
    return count;
}

short CompoundItemObserver::DetachFromAllItems(const Panel& panel)
{
    short count = 0;
    WithUi([&](Sim::UserInterface& ui) {
        ui.DetachCompoundObserver(panel.GetId(), this);
        count = panel.GetItemCount();
    });
    return count;
}

// ---- Images ----

Image::Image() : resModule(0), resId(0), data(nullptr) {}
Image::Image(GSResModule module, short id) : resModule(module), resId(id), data(nullptr) {}
Image::~Image() = default;

bool Image::operator==(const Image& rightOp) const
{
    return resModule == rightOp.resModule && resId == rightOp.resId && data == rightOp.data;
}

bool Image::operator!=(const Image& rightOp) const { return !(*this == rightOp); }
GSResModule Image::GetResourceModule() const { return resModule; }
short Image::GetResourceId() const { return resId; }
bool Image::IsEmpty() const { return resId == 0 && data == nullptr; }

Icon::Icon() = default;
Icon::Icon(GSResModule module, short id) : Image(module, id) {}
Icon::~Icon() = default;

// ---- Item ----

ItemBase::ItemBase() : panelId(0), itemId(0), created(false) {}
ItemBase::~ItemBase() = default;

void ItemBase::Set(short panel, short item, bool itemCreated)
{
    panelId = panel;
    itemId = item;
    created = itemCreated;
}

bool ItemBase::IsValid() const { return created; }

Panel* ItemBase::GetPanel() const
{
    Sim::UserInterface* ui = Sim::UserInterface::Current();
    const Sim::PanelState* state = ui != nullptr ? ui->FindPanel(panelId) : nullptr;
    return state != nullptr ? state->object : nullptr;
}

short ItemBase::GetPanelId() const { return panelId; }
short ItemBase::GetId() const { return itemId; }

Item::Item() = default;
Item::Item(const Panel& panel, short item) { Init(panel, item); }

// The item counts as created once its class has claimed it (Claim).
void Item::Init(const Panel& panel, short item) { Set(panel.GetId(), item, false); }

Item::~Item()
{
    WithUi([this](Sim::UserInterface& ui) { ui.RemoveItemObject(GetPanelId(), GetId(), this); });
}

short Item::ProcessClickEvent(const EventArg& msgData)
{
    const ItemClickEvent ev(this, msgData);
    TellObservers(GetPanelId(), GetId(), &AsButtonObserver, [&ev](ItemObserver* observer) { observer->SpecClicked(ev); });
    return 0;
}

short Item::ProcessChangeEvent(const EventArg& msgData)
{
    const ItemChangeEvent ev(this, msgData);
    TellObservers(GetPanelId(), GetId(), &AsRadioObserver, [&ev](ItemObserver* observer) { observer->SpecChanged(ev); });
    return 0;
}

bool Item::operator==(const Item& rightOp) const { return GetPanelId() == rightOp.GetPanelId() && GetId() == rightOp.GetId(); }
bool Item::operator!=(const Item& rightOp) const { return !(*this == rightOp); }

void Item::Attach(ItemObserver& observer)
{
    if (IsValid())
        WithUi([&](Sim::UserInterface& ui) { ui.AttachItemObserver(GetPanelId(), GetId(), &observer); });
}

void Item::Detach(ItemObserver& observer)
{
    if (IsValid())
        WithUi([&](Sim::UserInterface& ui) { ui.DetachItemObserver(GetPanelId(), GetId(), &observer); });
}

void Item::Show() { SetVisibility(true); }
void Item::Hide() { SetVisibility(false); }

void Item::SetVisibility(bool show)
{
    if (Sim::ItemState* state = StateOf(*this))
        state->visible = show;
}

bool Item::IsVisible() const
{
    const Sim::ItemState* state = StateOf(*this);
    return state != nullptr && state->visible;
}

void Item::Enable() { SetStatus(true); }
void Item::Disable() { SetStatus(false); }

void Item::SetStatus(bool enable)
{
    if (Sim::ItemState* state = StateOf(*this))
        state->enabled = enable;
}

bool Item::IsEnabled() const
{
    const Sim::ItemState* state = StateOf(*this);
    return state != nullptr && state->enabled;
}

void Item::Move(short hDisp, short vDisp) { MoveAndResize(hDisp, vDisp, 0, 0); }
void Item::Resize(short hGrow, short vGrow) { MoveAndResize(0, 0, hGrow, vGrow); }

void Item::MoveAndResize(short hDisp, short vDisp, short hGrow, short vGrow)
{
    Sim::ItemState* state = StateOf(*this);
    if (state == nullptr)
        return;
    state->x += hDisp;
    state->y += vDisp;
    state->width = std::max(0, state->width + hGrow);
    state->height = std::max(0, state->height + vGrow);
}

void Item::SetSize(short width, short height)
{
    if (Sim::ItemState* state = StateOf(*this)) {
        state->width = std::max<Int32>(0, width);
        state->height = std::max<Int32>(0, height);
    }
}

short Item::GetWidth() const
{
    const Sim::ItemState* state = StateOf(*this);
    return state != nullptr ? static_cast<short>(state->width) : 0;
}

short Item::GetHeight() const
{
    const Sim::ItemState* state = StateOf(*this);
    return state != nullptr ? static_cast<short>(state->height) : 0;
}

// ---- Properties ----

ItemTextProperty::ItemTextProperty() = default;
ItemTextProperty::~ItemTextProperty() = default;

void ItemTextProperty::SetText(const GS::UniString& text)
{
    if (IsValid())
        WithUi([&](Sim::UserInterface& ui) { ui.SetItemText(GetPanelId(), GetId(), Sim::Utf8(text)); });
}

void ItemTextProperty::CatText(const GS::UniString& text) { SetText(GetText() + text); }

GS::UniString ItemTextProperty::GetText() const
{
    const Sim::ItemState* state = StateOf(*this);
    return state != nullptr ? Sim::Uni(state->text) : GS::UniString();
}

ItemIconProperty::ItemIconProperty() = default;
ItemIconProperty::~ItemIconProperty() = default;

void ItemIconProperty::SetIcon(const DG::Icon& icon)
{
    if (Sim::ItemState* state = StateOf(*this))
        state->icon = icon.GetResourceId();
}

DG::Icon ItemIconProperty::GetIcon() const
{
    Sim::UserInterface* ui = Sim::UserInterface::Current();
    const Sim::PanelState* panel = ui != nullptr && IsValid() ? ui->FindPanel(GetPanelId()) : nullptr;
    const Sim::ItemState* state = panel != nullptr ? panel->Item(GetId()) : nullptr;
    return state != nullptr ? DG::Icon(panel->iconResModule, static_cast<short>(state->icon)) : DG::Icon();
}

// ---- Concrete items ----

StaticText::StaticText() = default;
StaticText::StaticText(const Panel& panel, short item) : Item(panel, item) {}
StaticText::~StaticText() = default;

LeftText::LeftText(const Panel& panel, short item) : StaticText(panel, item)
{
    Set(GetPanelId(), GetId(), Claim(*this, "DG::LeftText", "LeftText"));
}

LeftText::~LeftText() = default;

ProgressBar::ProgressBar(const Panel& panel, short item) : Item(panel, item)
{
    Set(GetPanelId(), GetId(), Claim(*this, "DG::ProgressBar", "ProgressBar"));
}

ProgressBar::~ProgressBar() = default;

void ProgressBar::SetMin(Int32 min)
{
    if (Sim::ItemState* state = StateOf(*this))
        Sim::UserInterface::Current()->SetProgress(GetPanelId(), GetId(), min, state->maximum, state->value);
}

void ProgressBar::SetMax(Int32 max)
{
    if (Sim::ItemState* state = StateOf(*this))
        Sim::UserInterface::Current()->SetProgress(GetPanelId(), GetId(), state->minimum, max, state->value);
}

void ProgressBar::SetValue(Int32 value)
{
    if (Sim::ItemState* state = StateOf(*this))
        Sim::UserInterface::Current()->SetProgress(GetPanelId(), GetId(), state->minimum, state->maximum, value);
}

Int32 ProgressBar::GetMin() const
{
    const Sim::ItemState* state = StateOf(*this);
    return state != nullptr ? state->minimum : 0;
}

Int32 ProgressBar::GetMax() const
{
    const Sim::ItemState* state = StateOf(*this);
    return state != nullptr ? state->maximum : 0;
}

Int32 ProgressBar::GetValue() const
{
    const Sim::ItemState* state = StateOf(*this);
    return state != nullptr ? state->value : 0;
}

ButtonItem::ButtonItem() = default;
ButtonItem::ButtonItem(const Panel& panel, short item) : Item(panel, item) {}
ButtonItem::~ButtonItem() = default;
void ButtonItem::Attach(ButtonItemObserver& observer) { Item::Attach(observer); }
void ButtonItem::Detach(ButtonItemObserver& observer) { Item::Detach(observer); }

Button::Button(const Panel& panel, short item) : ButtonItem(panel, item)
{
    Set(GetPanelId(), GetId(), Claim(*this, "DG::Button", "Button"));
}

Button::~Button() = default;

IconButton::IconButton(const Panel& panel, short item) : ButtonItem(panel, item)
{
    Set(GetPanelId(), GetId(), Claim(*this, "DG::IconButton", "IconButton"));
}

IconButton::~IconButton() = default;

RadioItem::RadioItem() = default;
RadioItem::RadioItem(const Panel& panel, short item) : Item(panel, item) {}
RadioItem::~RadioItem() = default;
void RadioItem::Attach(RadioItemObserver& observer) { Item::Attach(observer); }
void RadioItem::Detach(RadioItemObserver& observer) { Item::Detach(observer); }

void RadioItem::Select()
{
    if (IsValid())
        WithUi([this](Sim::UserInterface& ui) { ui.SelectRadio(GetPanelId(), GetId()); });
}

bool RadioItem::IsSelected() const
{
    const Sim::ItemState* state = StateOf(*this);
    return state != nullptr && state->selected;
}

RadioButton::RadioButton(const Panel& panel, short item) : RadioItem(panel, item)
{
    Set(GetPanelId(), GetId(), Claim(*this, "DG::RadioButton", "RadioButton"));
}

RadioButton::~RadioButton() = default;

// ---- Browser ----

BrowserBase::BrowserBase() = default;
BrowserBase::~BrowserBase() = default;

Browser::Browser(const Panel& panel, short item) : Item(panel, item)
{
    Set(GetPanelId(), GetId(), Claim(*this, "DG::Browser", "Browser"));
}

Browser::~Browser() = default;

}  // namespace DG

// The engine of a browser item loads into that item; an engine of no item has no page to load into.
JavascriptEngine::JavascriptEngine() = default;
JavascriptEngine::~JavascriptEngine() = default;

void JavascriptEngine::LoadURL(const GS::UniString& url)
{
    const auto* browser = dynamic_cast<const DG::Browser*>(this);
    if (browser != nullptr && browser->IsValid())
        DG::WithUi([&](Sim::UserInterface& ui) { ui.LoadUrl(browser->GetPanelId(), browser->GetId(), Sim::Utf8(url)); });
}

bool JavascriptEngine::RegisterAsynchJSObject(GS::Ref<JS::Object> obj)
{
    const auto* browser = dynamic_cast<const DG::Browser*>(this);
    bool registered = false;
    if (browser != nullptr && browser->IsValid())
        DG::WithUi([&](Sim::UserInterface& ui) {
            registered = ui.RegisterScriptObject(browser->GetPanelId(), browser->GetId(), obj);
        });
    return registered;
}
