// The host's dialog library, item side: each item object names one item of its panel's layout and keeps
// its state in the simulated user interface.
#include "DGBrowser.hpp"
#include "DGButton.hpp"
#include "DGUtility.hpp"
#include "DGRadioItem.hpp"

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

}  // namespace

// ---- Item ----

Item::Item(const Panel& panel, short itemId) : Item(panel, itemId, "DG::Item", nullptr) {}

Item::Item(const Panel& panel, short itemId, const char* className, const char* kinds)
    : panel_(const_cast<Panel*>(&panel)), panelId_(panel.GetId()), itemId_(itemId)
{
    WithUi([&](Sim::UserInterface& ui) {
        valid_ = ui.CheckItem(panelId_, itemId_, className, kinds) != nullptr;
        if (valid_)
            ui.AddItemObject(panelId_, itemId_, this);
    });
}

Item::~Item()
{
    if (valid_)
        WithUi([this](Sim::UserInterface& ui) { ui.RemoveItemObject(panelId_, itemId_, this); });
}

// The item's state when this object is valid and its panel still exists.
#define ITEM_STATE(state)                                                                                  \
    Sim::UserInterface* ui_ = Sim::UserInterface::Current();                                               \
    Sim::ItemState* state = (IsValid() && ui_ != nullptr) ? ui_->FindItem(GetPanelId(), GetId()) : nullptr

void Item::Enable() { SetStatus(true); }
void Item::Disable() { SetStatus(false); }

void Item::SetStatus(bool enable)
{
    ITEM_STATE(state);
    if (state != nullptr)
        state->enabled = enable;
}

bool Item::IsEnabled() const
{
    ITEM_STATE(state);
    return state != nullptr && state->enabled;
}

void Item::Show()
{
    ITEM_STATE(state);
    if (state != nullptr)
        state->visible = true;
}

void Item::Hide()
{
    ITEM_STATE(state);
    if (state != nullptr)
        state->visible = false;
}

bool Item::IsVisible() const
{
    ITEM_STATE(state);
    return state != nullptr && state->visible;
}

Int32 Item::GetX() const
{
    ITEM_STATE(state);
    return state != nullptr ? state->x : 0;
}

Int32 Item::GetY() const
{
    ITEM_STATE(state);
    return state != nullptr ? state->y : 0;
}

Int32 Item::GetWidth() const
{
    ITEM_STATE(state);
    return state != nullptr ? state->width : 0;
}

Int32 Item::GetHeight() const
{
    ITEM_STATE(state);
    return state != nullptr ? state->height : 0;
}

void Item::Move(Int32 dx, Int32 dy) { MoveAndResize(dx, dy, 0, 0); }
void Item::Resize(Int32 dx, Int32 dy) { MoveAndResize(0, 0, dx, dy); }

void Item::MoveAndResize(Int32 dx, Int32 dy, Int32 dw, Int32 dh)
{
    ITEM_STATE(state);
    if (state == nullptr)
        return;
    state->x += dx;
    state->y += dy;
    state->width = std::max(0, state->width + dw);
    state->height = std::max(0, state->height + dh);
}

// ---- Static texts ----

StaticText::StaticText(const Panel& panel, short itemId)
    : StaticText(panel, itemId, "DG::StaticText", "LeftText|CenterText|RightText")
{
}

StaticText::StaticText(const Panel& panel, short itemId, const char* className, const char* kinds)
    : Item(panel, itemId, className, kinds)
{
}

StaticText::~StaticText() = default;

void StaticText::SetText(const GS::UniString& text)
{
    if (IsValid())
        WithUi([&](Sim::UserInterface& ui) { ui.SetItemText(GetPanelId(), GetId(), Sim::Utf8(text)); });
}

GS::UniString StaticText::GetText() const
{
    ITEM_STATE(state);
    return state != nullptr ? GS::UniString(state->text) : GS::UniString();
}

LeftText::LeftText(const Panel& panel, short itemId) : StaticText(panel, itemId, "DG::LeftText", "LeftText") {}
LeftText::~LeftText() = default;

// ---- Progress bar ----

ProgressBar::ProgressBar(const Panel& panel, short itemId) : Item(panel, itemId, "DG::ProgressBar", "ProgressBar") {}
ProgressBar::~ProgressBar() = default;

void ProgressBar::SetMin(Int32 minimum)
{
    ITEM_STATE(state);
    if (state != nullptr)
        ui_->SetProgress(GetPanelId(), GetId(), minimum, state->maximum, state->value);
}

void ProgressBar::SetMax(Int32 maximum)
{
    ITEM_STATE(state);
    if (state != nullptr)
        ui_->SetProgress(GetPanelId(), GetId(), state->minimum, maximum, state->value);
}

void ProgressBar::SetValue(Int32 value)
{
    ITEM_STATE(state);
    if (state != nullptr)
        ui_->SetProgress(GetPanelId(), GetId(), state->minimum, state->maximum, value);
}

Int32 ProgressBar::GetMin() const
{
    ITEM_STATE(state);
    return state != nullptr ? state->minimum : 0;
}

Int32 ProgressBar::GetMax() const
{
    ITEM_STATE(state);
    return state != nullptr ? state->maximum : 0;
}

Int32 ProgressBar::GetValue() const
{
    ITEM_STATE(state);
    return state != nullptr ? state->value : 0;
}

// ---- Buttons ----

ButtonClickEvent::~ButtonClickEvent() = default;

ButtonItemObserver::~ButtonItemObserver()
{
    WithUi([this](Sim::UserInterface& ui) { ui.ForgetObserver(this); });
}

void ButtonItemObserver::ButtonClicked(const ButtonClickEvent&) {}

ButtonItem::ButtonItem(const Panel& panel, short itemId, const char* className, const char* kinds)
    : Item(panel, itemId, className, kinds)
{
}

ButtonItem::~ButtonItem() = default;

void ButtonItem::Attach(ButtonItemObserver& observer)
{
    if (IsValid())
        WithUi([&](Sim::UserInterface& ui) { ui.AttachButtonObserver(GetPanelId(), GetId(), &observer); });
}

void ButtonItem::Detach(ButtonItemObserver& observer)
{
    if (IsValid())
        WithUi([&](Sim::UserInterface& ui) { ui.DetachButtonObserver(GetPanelId(), GetId(), &observer); });
}

Button::Button(const Panel& panel, short itemId) : ButtonItem(panel, itemId, "DG::Button", "Button") {}
Button::~Button() = default;

void Button::SetText(const GS::UniString& text)
{
    if (IsValid())
        WithUi([&](Sim::UserInterface& ui) { ui.SetItemText(GetPanelId(), GetId(), Sim::Utf8(text)); });
}

GS::UniString Button::GetText() const
{
    ITEM_STATE(state);
    return state != nullptr ? GS::UniString(state->text) : GS::UniString();
}

IconButton::IconButton(const Panel& panel, short itemId) : ButtonItem(panel, itemId, "DG::IconButton", "IconButton") {}
IconButton::~IconButton() = default;

Int32 IconButton::GetIcon() const
{
    ITEM_STATE(state);
    return state != nullptr ? state->icon : 0;
}

// ---- Radio buttons ----

RadioItemChangeEvent::~RadioItemChangeEvent() = default;

RadioItemObserver::~RadioItemObserver()
{
    WithUi([this](Sim::UserInterface& ui) { ui.ForgetObserver(this); });
}

void RadioItemObserver::RadioButtonChanged(const RadioItemChangeEvent&) {}

RadioButton::RadioButton(const Panel& panel, short itemId) : Item(panel, itemId, "DG::RadioButton", "RadioButton") {}
RadioButton::~RadioButton() = default;

void RadioButton::Attach(RadioItemObserver& observer)
{
    if (IsValid())
        WithUi([&](Sim::UserInterface& ui) { ui.AttachRadioObserver(GetPanelId(), GetId(), &observer); });
}

void RadioButton::Detach(RadioItemObserver& observer)
{
    if (IsValid())
        WithUi([&](Sim::UserInterface& ui) { ui.DetachRadioObserver(GetPanelId(), GetId(), &observer); });
}

void RadioButton::Select()
{
    if (IsValid())
        WithUi([this](Sim::UserInterface& ui) { ui.SelectRadio(GetPanelId(), GetId()); });
}

bool RadioButton::IsSelected() const
{
    ITEM_STATE(state);
    return state != nullptr && state->selected;
}

GS::UniString RadioButton::GetText() const
{
    ITEM_STATE(state);
    return state != nullptr ? GS::UniString(state->text) : GS::UniString();
}

// ---- Compound observer ----

CompoundItemObserver::~CompoundItemObserver()
{
    WithUi([this](Sim::UserInterface& ui) { ui.ForgetObserver(this); });
}

void CompoundItemObserver::AttachToAllItems(const Panel& panel)
{
    WithUi([&](Sim::UserInterface& ui) { ui.AttachCompoundObserver(panel.GetId(), this); });
}

void CompoundItemObserver::DetachFromAllItems(const Panel& panel)
{
    WithUi([&](Sim::UserInterface& ui) { ui.DetachCompoundObserver(panel.GetId(), this); });
}

// ---- Browser ----

Browser::Browser(const Panel& panel, short itemId) : Item(panel, itemId, "DG::Browser", "Browser") {}
Browser::~Browser() = default;

void Browser::LoadURL(const GS::UniString& url)
{
    if (IsValid())
        WithUi([&](Sim::UserInterface& ui) { ui.LoadUrl(GetPanelId(), GetId(), Sim::Utf8(url)); });
}

GS::UniString Browser::GetURL() const
{
    ITEM_STATE(state);
    return state != nullptr ? GS::UniString(state->url) : GS::UniString();
}

bool Browser::RegisterAsynchJSObject(GS::Ref<JS::Object> object)
{
    bool registered = false;
    if (IsValid())
        WithUi([&](Sim::UserInterface& ui) { registered = ui.RegisterScriptObject(GetPanelId(), GetId(), object); });
    return registered;
}

#undef ITEM_STATE

}  // namespace DG
