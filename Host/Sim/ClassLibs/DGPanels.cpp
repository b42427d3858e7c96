// The host's dialog library, panel side: palettes and modal dialogs keep their state in the simulated
// user interface, which also tells their observers what the user does.
#include "DGDialog.hpp"

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

}  // namespace

PanelEvent::~PanelEvent() = default;
PanelOpenEvent::~PanelOpenEvent() = default;
PanelCloseRequestEvent::~PanelCloseRequestEvent() = default;
PanelCloseEvent::~PanelCloseEvent() = default;
PanelResizeEvent::~PanelResizeEvent() = default;

PanelObserver::~PanelObserver()
{
    WithUi([this](Sim::UserInterface& ui) { ui.ForgetObserver(this); });
}

void PanelObserver::PanelOpened(const PanelOpenEvent&) {}
void PanelObserver::PanelCloseRequested(const PanelCloseRequestEvent&, bool*) {}
void PanelObserver::PanelClosed(const PanelCloseEvent&) {}
void PanelObserver::PanelResized(const PanelResizeEvent&) {}

Panel::Panel(GSResModule resModule, short resId, GSResModule iconResModule, Kind kind, const GS::Guid& guid)
    : resId_(resId)
{
    const Sim::PanelKind simKind = kind == Kind::Palette ? Sim::PanelKind::Palette : Sim::PanelKind::ModalDialog;
    WithUi([&](Sim::UserInterface& ui) { id_ = ui.CreatePanel(this, simKind, resModule, resId, iconResModule, guid); });
}

Panel::~Panel()
{
    WithUi([this](Sim::UserInterface& ui) { ui.DestroyPanel(id_); });
}

short Panel::GetItemCount() const
{
    const Sim::PanelState* state = FindState(id_);
    return state != nullptr ? static_cast<short>(state->items.size()) : 0;
}

void Panel::Attach(PanelObserver& observer)
{
    WithUi([&](Sim::UserInterface& ui) { ui.AttachPanelObserver(id_, &observer); });
}

void Panel::Detach(PanelObserver& observer)
{
    WithUi([&](Sim::UserInterface& ui) { ui.DetachPanelObserver(id_, &observer); });
}

void Panel::SetTitle(const GS::UniString& title)
{
    WithUi([&](Sim::UserInterface& ui) { ui.SetTitle(id_, Sim::Utf8(title)); });
}

GS::UniString Panel::GetTitle() const
{
    const Sim::PanelState* state = FindState(id_);
    return state != nullptr ? GS::UniString(state->title) : GS::UniString();
}

Int32 Panel::GetWidth() const
{
    const Sim::PanelState* state = FindState(id_);
    return state != nullptr ? state->width : 0;
}

Int32 Panel::GetHeight() const
{
    const Sim::PanelState* state = FindState(id_);
    return state != nullptr ? state->height : 0;
}

void Panel::BeginMoveResizeItems()
{
    WithUi([this](Sim::UserInterface& ui) { ui.BeginMoveResize(id_); });
}

void Panel::EndMoveResizeItems()
{
    WithUi([this](Sim::UserInterface& ui) { ui.EndMoveResize(id_); });
}

void Panel::EnableItems()
{
    WithUi([this](Sim::UserInterface& ui) { ui.SetItemsEnabled(id_, true); });
}

void Panel::DisableItems()
{
    WithUi([this](Sim::UserInterface& ui) { ui.SetItemsEnabled(id_, false); });
}

Dialog::Dialog(GSResModule resModule, short resId, GSResModule iconResModule, Kind kind, const GS::Guid& guid)
    : Panel(resModule, resId, iconResModule, kind, guid)
{
}

Dialog::~Dialog() = default;

Palette::Palette(GSResModule resModule, short resId, GSResModule iconResModule, const GS::Guid& guid)
    : Dialog(resModule, resId, iconResModule, Kind::Palette, guid), guid_(guid)
{
}

Palette::~Palette() = default;

void Palette::Show(Int32 showMode)
{
    WithUi([&](Sim::UserInterface& ui) { ui.ShowPalette(GetId(), showMode); });
}

void Palette::Hide()
{
    WithUi([this](Sim::UserInterface& ui) { ui.HidePalette(GetId()); });
}

bool Palette::IsVisible() const
{
    const Sim::PanelState* state = FindState(GetId());
    return state != nullptr && state->visible;
}

void Palette::BeginEventProcessing()
{
    if (Sim::PanelState* state = FindState(GetId()))
        state->eventProcessing = true;
}

void Palette::EndEventProcessing()
{
    if (Sim::PanelState* state = FindState(GetId()))
        state->eventProcessing = false;
}

void Palette::SendCloseRequest()
{
    // The observers may destroy this palette: nothing of it is used after the request.
    const Int32 panelId = GetId();
    WithUi([panelId](Sim::UserInterface& ui) { ui.RequestClose(panelId); });
}

ModalDialog::ModalDialog(GSResModule resModule, short resId, GSResModule iconResModule)
    : Dialog(resModule, resId, iconResModule, Kind::ModalDialog, GS::Guid())
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

}  // namespace DG
