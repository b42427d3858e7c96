// The host's dialog library, panel side: palettes and modal dialogs keep their state in the simulated
// user interface, which also hands them what the user does (EventDispatcher).
#include "DGDialog.hpp"

#include "EventDispatcher.hpp"
#include "UserInterface.hpp"
#include "SimUtf8.hpp"

namespace DG {
namespace {

// Every call first finds the user interface; without a host (a panel that outlived it) nothing happens.
template <typename Action>
void WithUi(Action action)
{
    if (Sim::UserInterface* ui = Sim::UserInterface::Current())
        action(*ui);
}

Sim::PanelState* FindState(Int32 panelId)
{
    Sim::UserInterface* ui = Sim::UserInterface::Current();
    return ui != nullptr ? ui->FindPanel(panelId) : nullptr;
}

const Sim::PanelEventData& PanelData(const EventArg& msgData)
{
    static const Sim::PanelEventData none;
    const auto* data = dynamic_cast<const Sim::PanelEventData*>(&msgData);
    return data != nullptr ? *data : none;
}

// Tells each observer attached now; an observer may destroy the panel or detach itself or others while it
// is told, so before every call the panel must still exist and the observer still be attached. Nothing of
// the panel object is touched after the first call.
template <typename Notify>
void TellObservers(Int32 panelId, Notify notify)
{
    Sim::UserInterface* ui = Sim::UserInterface::Current();
    if (ui == nullptr)
        return;
    for (PanelObserver* observer : ui->PanelObservers(panelId)) {
        if (ui->FindPanel(panelId) == nullptr)
            return;
        if (ui->IsObserving(panelId, observer))
            notify(observer);
    }
}

}  // namespace

EventArg::~EventArg() = default;

// ---- Events ----

PanelEvent::PanelEvent(Panel* eventSource, const EventArg&) : source(eventSource) {}
PanelEvent::~PanelEvent() = default;
Panel* PanelEvent::GetSource() const { return source; }

PanelCloseEvent::PanelCloseEvent(Panel* eventSource, const EventArg& msgData)
    : PanelEvent(eventSource, msgData), retCode(PanelData(msgData).retCode)
{
}
PanelCloseEvent::~PanelCloseEvent() = default;
bool PanelCloseEvent::IsAccepted() const { return retCode == DG_OK; }
bool PanelCloseEvent::IsCancelled() const { return retCode != DG_OK; }

PanelCloseRequestEvent::PanelCloseRequestEvent(Panel* eventSource, const EventArg& msgData)
    : PanelEvent(eventSource, msgData), retCode(PanelData(msgData).retCode)
{
}
PanelCloseRequestEvent::~PanelCloseRequestEvent() = default;
bool PanelCloseRequestEvent::IsAccepted() const { return retCode == DG_OK; }
bool PanelCloseRequestEvent::IsCancelled() const { return retCode != DG_OK; }

// The simulator always opens a dialog at its default place.
PanelOpenEvent::PanelOpenEvent(Panel* eventSource, const EventArg& msgData) : PanelEvent(eventSource, msgData), initPosition(0) {}
PanelOpenEvent::~PanelOpenEvent() = default;
bool PanelOpenEvent::IsSavedPosition() const { return initPosition != 0; }
bool PanelOpenEvent::IsDefaultPosition() const { return initPosition == 0; }

PanelResizeEvent::PanelResizeEvent(Panel* eventSource, const EventArg& msgData)
    : PanelEvent(eventSource, msgData),
      hGrow(PanelData(msgData).hGrow),
      vGrow(PanelData(msgData).vGrow),
      byUser(PanelData(msgData).byUser)
{
}
PanelResizeEvent::~PanelResizeEvent() = default;
bool PanelResizeEvent::IsUserResize() const { return byUser; }
short PanelResizeEvent::GetHorizontalChange() const { return hGrow; }
short PanelResizeEvent::GetVerticalChange() const { return vGrow; }

// ---- Observers ----

PanelObserver::PanelObserver() = default;

PanelObserver::~PanelObserver()
{
    WithUi([this](Sim::UserInterface& ui) { ui.ForgetObserver(this); });
}

void PanelObserver::PanelClosed(const PanelCloseEvent&) {}
void PanelObserver::PanelCloseRequested(const PanelCloseRequestEvent&, bool*) {}
void PanelObserver::PanelOpened(const PanelOpenEvent&) {}
void PanelObserver::PanelResized(const PanelResizeEvent&) {}

// ---- Panel ----

Panel::Panel() : panelId(0) {}

Panel::~Panel()
{
    WithUi([this](Sim::UserInterface& ui) { ui.DestroyPanel(panelId); });
}

short Panel::ProcessOpenEvent(const EventArg& msgData)
{
    const PanelOpenEvent ev(this, msgData);
    TellObservers(panelId, [&ev](PanelObserver* observer) { observer->PanelOpened(ev); });
    return 0;
}

short Panel::ProcessCloseRequestEvent(const EventArg& msgData)
{
    const PanelCloseRequestEvent ev(this, msgData);
    bool accepted = true;
    TellObservers(panelId, [&ev, &accepted](PanelObserver* observer) { observer->PanelCloseRequested(ev, &accepted); });
    return accepted ? DG_OK : DG_CANCEL;
}

short Panel::ProcessCloseEvent(const EventArg& msgData)
{
    const PanelCloseEvent ev(this, msgData);
    TellObservers(panelId, [&ev](PanelObserver* observer) { observer->PanelClosed(ev); });
    return 0;
}

short Panel::ProcessResizeEvent(EventArg& msgData)
{
    const PanelResizeEvent ev(this, msgData);
    TellObservers(panelId, [&ev](PanelObserver* observer) { observer->PanelResized(ev); });
    return 0;
}

const Panel& Panel::GetReference() const { return *this; }

void Panel::Attach(PanelObserver& observer)
{
    WithUi([&](Sim::UserInterface& ui) { ui.AttachPanelObserver(panelId, &observer); });
}

void Panel::Detach(PanelObserver& observer)
{
    WithUi([&](Sim::UserInterface& ui) { ui.DetachPanelObserver(panelId, &observer); });
}

bool Panel::IsValid() const { return FindState(panelId) != nullptr; }
bool Panel::IsExist() const { return IsValid(); }
short Panel::GetId() const { return panelId; }

short Panel::GetResourceId() const
{
    const Sim::PanelState* state = FindState(panelId);
    return state != nullptr ? state->resId : 0;
}

short Panel::GetWidth() const
{
    const Sim::PanelState* state = FindState(panelId);
    return state != nullptr ? static_cast<short>(state->width) : 0;
}

short Panel::GetHeight() const
{
    const Sim::PanelState* state = FindState(panelId);
    return state != nullptr ? static_cast<short>(state->height) : 0;
}

void Panel::EnableItems() { SetItemStatus(true); }
void Panel::DisableItems() { SetItemStatus(false); }

void Panel::SetItemStatus(bool enable)
{
    WithUi([this, enable](Sim::UserInterface& ui) { ui.SetItemsEnabled(panelId, enable); });
}

short Panel::GetItemCount() const
{
    const Sim::PanelState* state = FindState(panelId);
    return state != nullptr ? static_cast<short>(state->items.size()) : 0;
}

// ---- Dialogs ----

Dialog::Dialog(DialogType dialType, GSResModule resModule, short resId, GSResModule dialIconResModule)
    : Dialog(dialType, resModule, resId, dialIconResModule, GS::Guid())
{
}

Dialog::Dialog(DialogType dialType, GSResModule resModule, short resId, GSResModule dialIconResModule,
               const GS::Guid& guid)
{
    const Sim::PanelKind kind = dialType == Modal ? Sim::PanelKind::ModalDialog : Sim::PanelKind::Palette;
    WithUi([&](Sim::UserInterface& ui) { panelId = ui.CreatePanel(this, kind, resModule, resId, dialIconResModule, guid); });
}

Dialog::~Dialog() = default;

Dialog::DialogType Dialog::GetDialogType() const
{
    const Sim::PanelState* state = FindState(GetId());
    return state != nullptr && state->kind == Sim::PanelKind::ModalDialog ? Modal : Palette;
}

void Dialog::BeginMoveResizeItems()
{
    WithUi([this](Sim::UserInterface& ui) { ui.BeginMoveResize(GetId()); });
}

void Dialog::EndMoveResizeItems()
{
    WithUi([this](Sim::UserInterface& ui) { ui.EndMoveResize(GetId()); });
}

void Dialog::SetTitle(const GS::UniString& title)
{
    WithUi([&](Sim::UserInterface& ui) { ui.SetTitle(GetId(), Sim::Utf8(title)); });
}

GS::UniString Dialog::GetTitle() const
{
    const Sim::PanelState* state = FindState(GetId());
    return state != nullptr ? Sim::Uni(state->title) : GS::UniString();
}

ModalDialog::ModalDialog(GSResModule resModule, short resId, GSResModule dialIconResModule)
    : Dialog(Modal, resModule, resId, dialIconResModule)
{
}

ModalDialog::~ModalDialog() = default;

bool ModalDialog::Invoke()
{
    Sim::UserInterface* ui = Sim::UserInterface::Current();
    return ui != nullptr && ui->RunModal(GetId());
}

void ModalDialog::PostCloseRequest(ModalResponse response)
{
    Sim::PanelState* state = FindState(GetId());
    if (state == nullptr)
        return;
    if (!state->visible) {
        Sim::UserInterface::Current()->ReportProgrammingError(
            "DG::ModalDialog: PostCloseRequest on dialog " + std::to_string(state->resId) + ", which is not open");
        return;
    }
    state->pendingResponse = response;
}

ModelessBase::ModelessBase(DialogType dialType, GSResModule resModule, short resId, GSResModule dialIconResModule)
    : Dialog(dialType, resModule, resId, dialIconResModule)
{
}

ModelessBase::ModelessBase(DialogType dialType, GSResModule resModule, short resId, GSResModule dialIconResModule,
                           const GS::Guid& guid)
    : Dialog(dialType, resModule, resId, dialIconResModule, guid)
{
}

ModelessBase::~ModelessBase() = default;

void ModelessBase::BeginEventProcessing()
{
    if (Sim::PanelState* state = FindState(GetId()))
        state->eventProcessing = true;
}

void ModelessBase::EndEventProcessing()
{
    if (Sim::PanelState* state = FindState(GetId()))
        state->eventProcessing = false;
}

void ModelessBase::SendCloseRequest()
{
    // The observers may destroy this window: nothing of it is used after the request.
    const short id = GetId();
    WithUi([id](Sim::UserInterface& ui) { ui.RequestClose(id); });
}

void ModelessBase::Show(short refDialId)
{
    WithUi([&](Sim::UserInterface& ui) { ui.ShowPalette(GetId(), refDialId); });
}

void ModelessBase::Hide()
{
    WithUi([this](Sim::UserInterface& ui) { ui.HidePalette(GetId()); });
}

void ModelessBase::SetVisibility(bool show)
{
    if (show)
        Show();
    else
        Hide();
}

bool ModelessBase::IsVisible() const
{
    const Sim::PanelState* state = FindState(GetId());
    return state != nullptr && state->visible;
}

Palette::Palette(GSResModule resModule, short resId, GSResModule dialIconResModule)
    : ModelessBase(Dialog::Palette, resModule, resId, dialIconResModule)
{
}

Palette::Palette(GSResModule resModule, short resId, GSResModule dialIconResModule, const GS::Guid& guid)
    : ModelessBase(Dialog::Palette, resModule, resId, dialIconResModule, guid)
{
}

Palette::~Palette() = default;

}  // namespace DG
