#include "UserInterface.hpp"

#include "Host.hpp"
#include "IO/Location.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace Sim {
namespace {

// Panel numbers are never reused within a process, so a panel object that outlived its host can never
// reach a panel of a later host.
Int32 lastPanelId = 0;

template <typename T>
bool Contains(const std::vector<T*>& list, const T* element)
{
    return std::find(list.begin(), list.end(), element) != list.end();
}

template <typename T>
void Remove(std::vector<T*>& list, const void* element)
{
    list.erase(std::remove_if(list.begin(), list.end(),
                              [element](T* candidate) { return static_cast<const void*>(candidate) == element; }),
               list.end());
}

bool KindAccepted(const std::string& kind, const char* kinds)
{
    if (kinds == nullptr)
        return true;
    std::string list(kinds);
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find('|', start);
        if (end == std::string::npos)
            end = list.size();
        if (list.compare(start, end - start, kind) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

bool PanelState::HasFlag(const std::string& flag) const
{
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

const ItemState* PanelState::Item(short itemId) const
{
    return itemId >= 1 && static_cast<size_t>(itemId) <= items.size() ? &items[static_cast<size_t>(itemId) - 1]
                                                                      : nullptr;
}

ItemState* PanelState::Item(short itemId)
{
    return const_cast<ItemState*>(static_cast<const PanelState*>(this)->Item(itemId));
}

UserInterface* UserInterface::Current()
{
    return HasHost() ? &TheHost().FamilyState<UserInterface>() : nullptr;
}

// ---- Panels and items ----

Int32 UserInterface::CreatePanel(DG::Panel* object, PanelKind kind, GSResModule resModule, short resId,
                                 GSResModule iconResModule, const GS::Guid& guid)
{
    PanelState panel;
    panel.id = ++lastPanelId;
    panel.kind = kind;
    panel.resId = resId;
    panel.guid = guid;
    panel.object = object;

    const char* className = kind == PanelKind::Palette ? "DG::Palette" : "DG::ModalDialog";
    const ResourceSet* resources = TheHost().ResourceModule(resModule);
    const DialogResource* layout = resources != nullptr ? resources->Dialog(resId) : nullptr;
    if (layout == nullptr) {
        ReportProgrammingError(std::string(className) + ": dialog resource " + std::to_string(resId) +
                               " not found in resource module " + std::to_string(resModule));
    } else {
        const char* expectedFlag = kind == PanelKind::Palette ? "Palette" : "Modal";
        if (std::find(layout->flags.begin(), layout->flags.end(), expectedFlag) == layout->flags.end())
            ReportProgrammingError(std::string(className) + ": dialog resource " + std::to_string(resId) +
                                   " is not a " + expectedFlag + " layout");
        panel.layoutName = layout->name;
        panel.flags = layout->flags;
        panel.title = layout->caption;
        panel.width = layout->width;
        panel.height = layout->height;
        const ResourceSet* icons = TheHost().ResourceModule(iconResModule);
        short number = 0;
        for (const auto& itemLayout : layout->items) {
            ItemState item;
            item.id = ++number;
            item.kind = itemLayout.kind;
            item.name = itemLayout.name;
            item.x = itemLayout.x;
            item.y = itemLayout.y;
            item.width = itemLayout.width;
            item.height = itemLayout.height;
            item.text = itemLayout.text;
            item.icon = itemLayout.icon;
            item.group = itemLayout.group;
            if (item.kind == "IconButton" && (icons == nullptr || !icons->HasIcon(item.icon)))
                ReportProgrammingError(std::string(className) + ": icon " + std::to_string(item.icon) + " of item " +
                                       std::to_string(item.id) + " of dialog " + std::to_string(resId) +
                                       " not found in resource module " + std::to_string(iconResModule));
            panel.items.push_back(std::move(item));
        }
    }
    if (kind == PanelKind::Palette && FindPaletteState(guid) != nullptr)
        ReportProgrammingError("DG::Palette: a palette with the GUID " + guid.ToUniString().ToStdString() +
                               " exists already");

    const Int32 id = panel.id;
    PanelState& stored = panels_.emplace(id, std::move(panel)).first->second;
    if (kind == PanelKind::Palette)
        Record("palette", stored, "created", {{"resId", resId}});
    return id;
}

void UserInterface::DestroyPanel(Int32 panelId)
{
    auto it = panels_.find(panelId);
    if (it == panels_.end())
        return;
    if (it->second.kind == PanelKind::Palette)
        Record("palette", it->second, "destroyed");
    // Taken out before it goes, so that nothing the destruction sets off finds it half gone.
    PanelState gone = std::move(it->second);
    panels_.erase(it);
}

PanelState* UserInterface::FindPanel(Int32 panelId)
{
    auto it = panels_.find(panelId);
    return it == panels_.end() ? nullptr : &it->second;
}

ItemState* UserInterface::FindItem(Int32 panelId, short itemId)
{
    PanelState* panel = FindPanel(panelId);
    return panel != nullptr ? panel->Item(itemId) : nullptr;
}

ItemState* UserInterface::CheckItem(Int32 panelId, short itemId, const char* className, const char* kinds)
{
    PanelState* panel = FindPanel(panelId);
    if (panel == nullptr) {
        ReportProgrammingError(std::string(className) + " " + std::to_string(itemId) +
                               ": its panel does not exist");
        return nullptr;
    }
    ItemState* item = panel->Item(itemId);
    const std::string where = "item " + std::to_string(itemId) + " of dialog " + std::to_string(panel->resId) +
                              (panel->layoutName.empty() ? "" : " (" + panel->layoutName + ")");
    if (item == nullptr) {
        ReportProgrammingError(std::string(className) + ": " + where + " does not exist; the layout has " +
                               std::to_string(panel->items.size()) + " items");
        return nullptr;
    }
    if (!KindAccepted(item->kind, kinds)) {
        ReportProgrammingError(std::string(className) + ": " + where + " is a " + item->kind + ", not a " +
                               std::string(kinds));
        return nullptr;
    }
    return item;
}

void UserInterface::AddItemObject(Int32 panelId, short itemId, DG::Item* object)
{
    if (ItemState* item = FindItem(panelId, itemId))
        item->objects.push_back(object);
}

void UserInterface::RemoveItemObject(Int32 panelId, short itemId, DG::Item* object)
{
    if (ItemState* item = FindItem(panelId, itemId))
        Remove(item->objects, object);
}

void UserInterface::ShowPalette(Int32 panelId, Int32 showMode)
{
    PanelState* panel = FindPanel(panelId);
    if (panel == nullptr || panel->visible)
        return;
    panel->visible = true;
    Record("palette", *panel, "shown", {{"showMode", showMode}});
}

void UserInterface::HidePalette(Int32 panelId)
{
    PanelState* panel = FindPanel(panelId);
    if (panel == nullptr || !panel->visible)
        return;
    panel->visible = false;
    Record("palette", *panel, "hidden");
}

void UserInterface::SetTitle(Int32 panelId, const std::string& title)
{
    PanelState* panel = FindPanel(panelId);
    if (panel == nullptr)
        return;
    panel->title = title;
    Record("palette", *panel, "title");
}

void UserInterface::SetItemsEnabled(Int32 panelId, bool enabled)
{
    PanelState* panel = FindPanel(panelId);
    if (panel == nullptr)
        return;
    for (auto& item : panel->items)
        item.enabled = enabled;
    Record("palette", *panel, enabled ? "itemsEnabled" : "itemsDisabled");
}

void UserInterface::SetItemText(Int32 panelId, short itemId, const std::string& text)
{
    PanelState* panel = FindPanel(panelId);
    ItemState* item = panel != nullptr ? panel->Item(itemId) : nullptr;
    if (item == nullptr)
        return;
    item->text = text;
    Record("palette", *panel, "itemText", {{"item", itemId}, {"text", text}});
}

void UserInterface::SetProgress(Int32 panelId, short itemId, Int32 minimum, Int32 maximum, Int32 value)
{
    PanelState* panel = FindPanel(panelId);
    ItemState* item = panel != nullptr ? panel->Item(itemId) : nullptr;
    if (item == nullptr)
        return;
    item->minimum = minimum;
    item->maximum = maximum;
    item->value = std::max(minimum, std::min(value, std::max(minimum, maximum)));
    item->progress.push_back(ProgressSample{TheHost().GetClock().Ticks(), item->value});
    nlohmann::ordered_json fields = {{"item", itemId}, {"value", item->value}, {"min", minimum}, {"max", maximum}};
    if (panel->kind == PanelKind::Palette)
        fields["guid"] = panel->guid.ToUniString().ToStdString();
    TheHost().GetTranscript().Record("progress", fields);
}

void UserInterface::SelectRadio(Int32 panelId, short itemId)
{
    PanelState* panel = FindPanel(panelId);
    ItemState* chosen = panel != nullptr ? panel->Item(itemId) : nullptr;
    if (chosen == nullptr)
        return;
    for (auto& item : panel->items)
        if (item.kind == "RadioButton" && item.group == chosen->group)
            item.selected = false;
    chosen->selected = true;
}

void UserInterface::LoadUrl(Int32 panelId, short itemId, const std::string& url)
{
    PanelState* panel = FindPanel(panelId);
    ItemState* item = panel != nullptr ? panel->Item(itemId) : nullptr;
    if (item == nullptr)
        return;
    item->url = url;
    ++item->pageLoads;
    Record("browser", *panel, "load", {{"item", itemId}, {"url", url}});
}

bool UserInterface::RegisterScriptObject(Int32 panelId, short itemId, const GS::Ref<JS::Object>& object)
{
    PanelState* panel = FindPanel(panelId);
    ItemState* item = panel != nullptr ? panel->Item(itemId) : nullptr;
    if (item == nullptr || object == nullptr)
        return false;
    auto& objects = item->scriptObjects;
    objects.erase(std::remove_if(objects.begin(), objects.end(),
                                 [&object](const GS::Ref<JS::Object>& known) {
                                     return known->GetName() == object->GetName();
                                 }),
                  objects.end());
    objects.push_back(object);
    Record("browser", *panel, "register", {{"item", itemId}, {"object", object->GetName().ToStdString()}});
    return true;
}

void UserInterface::BeginMoveResize(Int32 panelId)
{
    if (PanelState* panel = FindPanel(panelId))
        ++panel->moveResizeDepth;
}

void UserInterface::EndMoveResize(Int32 panelId)
{
    PanelState* panel = FindPanel(panelId);
    if (panel == nullptr)
        return;
    if (panel->moveResizeDepth == 0) {
        ReportProgrammingError("DG::Panel: EndMoveResizeItems without BeginMoveResizeItems on dialog " +
                               std::to_string(panel->resId));
        return;
    }
    if (--panel->moveResizeDepth == 0)
        ++panel->moveResizeBrackets;
}

// ---- Observers ----

void UserInterface::AttachPanelObserver(Int32 panelId, DG::PanelObserver* observer)
{
    PanelState* panel = FindPanel(panelId);
    if (panel != nullptr && !Contains(panel->observers, observer))
        panel->observers.push_back(observer);
}

void UserInterface::DetachPanelObserver(Int32 panelId, DG::PanelObserver* observer)
{
    if (PanelState* panel = FindPanel(panelId))
        Remove(panel->observers, observer);
}

void UserInterface::AttachCompoundObserver(Int32 panelId, DG::CompoundItemObserver* observer)
{
    PanelState* panel = FindPanel(panelId);
    if (panel != nullptr && !Contains(panel->compoundObservers, observer))
        panel->compoundObservers.push_back(observer);
}

void UserInterface::DetachCompoundObserver(Int32 panelId, DG::CompoundItemObserver* observer)
{
    if (PanelState* panel = FindPanel(panelId))
        Remove(panel->compoundObservers, observer);
}

void UserInterface::AttachButtonObserver(Int32 panelId, short itemId, DG::ButtonItemObserver* observer)
{
    ItemState* item = FindItem(panelId, itemId);
    if (item != nullptr && !Contains(item->buttonObservers, observer))
        item->buttonObservers.push_back(observer);
}

void UserInterface::DetachButtonObserver(Int32 panelId, short itemId, DG::ButtonItemObserver* observer)
{
    if (ItemState* item = FindItem(panelId, itemId))
        Remove(item->buttonObservers, observer);
}

void UserInterface::AttachRadioObserver(Int32 panelId, short itemId, DG::RadioItemObserver* observer)
{
    ItemState* item = FindItem(panelId, itemId);
    if (item != nullptr && !Contains(item->radioObservers, observer))
        item->radioObservers.push_back(observer);
}

void UserInterface::DetachRadioObserver(Int32 panelId, short itemId, DG::RadioItemObserver* observer)
{
    if (ItemState* item = FindItem(panelId, itemId))
        Remove(item->radioObservers, observer);
}

void UserInterface::ForgetObserver(const void* observer)
{
    for (auto& [id, panel] : panels_) {
        Remove(panel.observers, observer);
        Remove(panel.compoundObservers, observer);
        for (auto& item : panel.items) {
            Remove(item.buttonObservers, observer);
            Remove(item.radioObservers, observer);
        }
    }
}

// ---- Event delivery ----
// An observer may destroy the panel, or detach itself or others, while it is told: before every call
// the panel is looked up again and the observer must still be attached.

bool UserInterface::AskToClose(Int32 panelId)
{
    PanelState* panel = FindPanel(panelId);
    if (panel == nullptr)
        return false;
    bool accepted = true;
    if (panel->kind == PanelKind::Palette && !panel->eventProcessing)
        return accepted;
    const DG::PanelCloseRequestEvent ev(panel->object);
    const auto observers = panel->observers;
    for (DG::PanelObserver* observer : observers) {
        panel = FindPanel(panelId);
        if (panel == nullptr)
            return false;
        if (Contains(panel->observers, observer))
            observer->PanelCloseRequested(ev, &accepted);
    }
    return FindPanel(panelId) != nullptr && accepted;
}

void UserInterface::DispatchClose(Int32 panelId, bool accepted)
{
    PanelState* panel = FindPanel(panelId);
    if (panel == nullptr)
        return;
    const DG::PanelCloseEvent ev(panel->object, accepted);
    const auto observers = panel->observers;
    for (DG::PanelObserver* observer : observers) {
        panel = FindPanel(panelId);
        if (panel == nullptr)
            return;
        if (Contains(panel->observers, observer))
            observer->PanelClosed(ev);
    }
}

void UserInterface::RequestClose(Int32 panelId)
{
    if (!AskToClose(panelId))
        return;
    PanelState* panel = FindPanel(panelId);
    if (panel == nullptr)
        return;
    if (panel->kind == PanelKind::ModalDialog) {
        // Ends Invoke with the cancel response unless one was posted.
        if (panel->pendingResponse == 0)
            panel->pendingResponse = DG::Cancel;
        return;
    }
    panel->visible = false;
    Record("palette", *panel, "closed");
    DispatchClose(panelId, true);
}

void UserInterface::DispatchButtonClick(Int32 panelId, short itemId)
{
    PanelState* panel = FindPanel(panelId);
    ItemState* item = panel != nullptr ? panel->Item(itemId) : nullptr;
    if (item == nullptr)
        return;
    DG::ButtonItem* source = nullptr;
    for (DG::Item* object : item->objects)
        if ((source = dynamic_cast<DG::ButtonItem*>(object)) != nullptr)
            break;
    const DG::ButtonClickEvent ev(source);

    auto listeners = [this, panelId, itemId]() {
        std::vector<DG::ButtonItemObserver*> result;
        PanelState* current = FindPanel(panelId);
        ItemState* currentItem = current != nullptr ? current->Item(itemId) : nullptr;
        if (currentItem == nullptr)
            return result;
        result = currentItem->buttonObservers;
        for (DG::CompoundItemObserver* compound : current->compoundObservers)
            if (auto* observer = dynamic_cast<DG::ButtonItemObserver*>(compound))
                if (!Contains(result, observer))
                    result.push_back(observer);
        return result;
    };
    for (DG::ButtonItemObserver* observer : listeners())
        if (Contains(listeners(), observer))
            observer->ButtonClicked(ev);
}

void UserInterface::DispatchRadioChange(Int32 panelId, short itemId)
{
    PanelState* panel = FindPanel(panelId);
    ItemState* item = panel != nullptr ? panel->Item(itemId) : nullptr;
    if (item == nullptr)
        return;
    DG::RadioButton* source = nullptr;
    for (DG::Item* object : item->objects)
        if ((source = dynamic_cast<DG::RadioButton*>(object)) != nullptr)
            break;
    const DG::RadioItemChangeEvent ev(source);

    auto listeners = [this, panelId, itemId]() {
        std::vector<DG::RadioItemObserver*> result;
        PanelState* current = FindPanel(panelId);
        ItemState* currentItem = current != nullptr ? current->Item(itemId) : nullptr;
        if (currentItem == nullptr)
            return result;
        result = currentItem->radioObservers;
        for (DG::CompoundItemObserver* compound : current->compoundObservers)
            if (auto* observer = dynamic_cast<DG::RadioItemObserver*>(compound))
                if (!Contains(result, observer))
                    result.push_back(observer);
        return result;
    };
    for (DG::RadioItemObserver* observer : listeners())
        if (Contains(listeners(), observer))
            observer->RadioButtonChanged(ev);
}

bool UserInterface::RunModal(Int32 panelId)
{
    PanelState* panel = FindPanel(panelId);
    if (panel == nullptr || panel->kind != PanelKind::ModalDialog)
        return false;
    if (panel->visible) {
        ReportProgrammingError("DG::ModalDialog: dialog " + std::to_string(panel->resId) + " is open already");
        return false;
    }
    panel->visible = true;
    panel->pendingResponse = 0;

    {
        const DG::PanelOpenEvent ev(panel->object);
        const auto observers = panel->observers;
        for (DG::PanelObserver* observer : observers) {
            panel = FindPanel(panelId);
            if (panel == nullptr)
                return false;
            if (Contains(panel->observers, observer))
                observer->PanelOpened(ev);
        }
    }

    const DialogChoice choice = dialogChoices_.empty() ? DialogChoice{} : dialogChoices_.front();
    if (!dialogChoices_.empty())
        dialogChoices_.pop_front();

    panel = FindPanel(panelId);
    if (panel != nullptr && choice.radioItem != 0) {
        const ItemState* radio = panel->Item(choice.radioItem);
        if (radio == nullptr || radio->kind != "RadioButton" || !radio->enabled) {
            ReportProgrammingError("dialog choice: item " + std::to_string(choice.radioItem) + " of dialog " +
                                   std::to_string(panel->resId) + " is no enabled radio button");
        } else {
            SelectRadio(panelId, choice.radioItem);
            DispatchRadioChange(panelId, choice.radioItem);
        }
    }

    // What the user saw when answering.
    panel = FindPanel(panelId);
    if (panel == nullptr)
        return false;
    nlohmann::ordered_json texts = nlohmann::ordered_json::array();
    nlohmann::ordered_json selected = nlohmann::ordered_json::array();
    for (const auto& item : panel->items) {
        texts.push_back(item.text);
        if (item.kind == "RadioButton" && item.selected)
            selected.push_back(item.id);
    }

    auto pressButton = [this, panelId](short itemId) {
        PanelState* current = FindPanel(panelId);
        const ItemState* button = current != nullptr ? current->Item(itemId) : nullptr;
        if (button != nullptr && button->kind == "Button" && button->enabled && button->visible)
            DispatchButtonClick(panelId, itemId);
    };
    const char* answer = "accept";
    Int32 fallback = DG::Accept;
    switch (choice.action) {
        case DialogChoice::Accept:
            pressButton(1);
            break;
        case DialogChoice::Cancel:
            answer = "cancel";
            fallback = DG::Cancel;
            pressButton(2);
            break;
        case DialogChoice::Close:
            answer = "close";
            fallback = DG::Cancel;
            AskToClose(panelId);
            break;
    }

    panel = FindPanel(panelId);
    if (panel == nullptr)
        return false;
    // A button that posted no close request still ends the dialog here: the simulator never waits.
    const Int32 response = panel->pendingResponse != 0 ? panel->pendingResponse : fallback;
    const bool accepted = response == DG::Accept;
    TheHost().GetTranscript().Record("dialog", {{"resId", panel->resId},
                                                {"title", panel->title},
                                                {"items", texts},
                                                {"selected", selected},
                                                {"answer", answer},
                                                {"result", accepted ? "accepted" : "cancelled"}});
    panel->visible = false;
    panel->pendingResponse = 0;
    DispatchClose(panelId, accepted);
    return accepted;
}

bool UserInterface::OpenExternalBrowser(const std::string& url)
{
    const bool started = !externalBrowserFails_;
    if (started)
        externalUrls_.push_back(url);
    TheHost().GetTranscript().Record("externalBrowser", {{"url", url}, {"started", started}});
    return started;
}

void UserInterface::ReportProgrammingError(const std::string& text)
{
    TheHost().GetTranscript().Record("error", {{"text", text}});
}

void UserInterface::Record(const std::string& kind, const PanelState& panel, const std::string& event,
                           nlohmann::ordered_json extra)
{
    nlohmann::ordered_json fields = {{"event", event}};
    if (panel.kind == PanelKind::Palette)
        fields["guid"] = panel.guid.ToUniString().ToStdString();
    else
        fields["resId"] = panel.resId;
    fields["title"] = panel.title;
    for (auto it = extra.begin(); it != extra.end(); ++it)
        fields[it.key()] = it.value();
    TheHost().GetTranscript().Record(kind, fields);
}

// ---- What tests look at ----

PanelState* UserInterface::FindPaletteState(const GS::Guid& guid)
{
    for (auto& [id, panel] : panels_)
        if (panel.kind == PanelKind::Palette && panel.guid == guid)
            return &panel;
    return nullptr;
}

const PanelState* UserInterface::FindPalette(const GS::Guid& guid) const
{
    return const_cast<UserInterface*>(this)->FindPaletteState(guid);
}

std::vector<const PanelState*> UserInterface::Panels() const
{
    std::vector<const PanelState*> result;
    for (const auto& [id, panel] : panels_)
        result.push_back(&panel);
    return result;
}

// ---- What the user does ----

namespace {
bool Refuse(std::string* problem, const std::string& why)
{
    if (problem != nullptr)
        *problem = why;
    return false;
}
}  // namespace

bool UserInterface::PressCloseBox(const GS::Guid& palette, std::string* problem)
{
    PanelState* panel = FindPaletteState(palette);
    if (panel == nullptr)
        return Refuse(problem, "no palette " + palette.ToUniString().ToStdString());
    if (!panel->visible)
        return Refuse(problem, "the palette \"" + panel->title + "\" is not shown");
    if (!panel->HasFlag("close"))
        return Refuse(problem, "the palette \"" + panel->title + "\" has no close box");
    if (!panel->eventProcessing)
        return Refuse(problem, "the palette \"" + panel->title + "\" takes no user events");
    Record("palette", *panel, "closeBox");
    RequestClose(panel->id);
    return true;
}

bool UserInterface::ResizePalette(const GS::Guid& palette, Int32 dx, Int32 dy, std::string* problem)
{
    PanelState* panel = FindPaletteState(palette);
    if (panel == nullptr)
        return Refuse(problem, "no palette " + palette.ToUniString().ToStdString());
    if (!panel->visible)
        return Refuse(problem, "the palette \"" + panel->title + "\" is not shown");
    if (!panel->HasFlag("grow"))
        return Refuse(problem, "the palette \"" + panel->title + "\" cannot be resized");
    if (!panel->eventProcessing)
        return Refuse(problem, "the palette \"" + panel->title + "\" takes no user events");
    if (panel->width + dx < 0 || panel->height + dy < 0)
        return Refuse(problem, "the palette cannot be made smaller than nothing");
    panel->width += dx;
    panel->height += dy;
    Record("palette", *panel, "resized", {{"width", panel->width}, {"height", panel->height}});

    const Int32 panelId = panel->id;
    const DG::PanelResizeEvent ev(panel->object, dx, dy);
    const auto observers = panel->observers;
    for (DG::PanelObserver* observer : observers) {
        panel = FindPanel(panelId);
        if (panel == nullptr)
            break;
        if (Contains(panel->observers, observer))
            observer->PanelResized(ev);
    }
    return true;
}

bool UserInterface::ClickItem(const GS::Guid& palette, short itemId, std::string* problem)
{
    PanelState* panel = FindPaletteState(palette);
    if (panel == nullptr)
        return Refuse(problem, "no palette " + palette.ToUniString().ToStdString());
    if (!panel->visible)
        return Refuse(problem, "the palette \"" + panel->title + "\" is not shown");
    if (!panel->eventProcessing)
        return Refuse(problem, "the palette \"" + panel->title + "\" takes no user events");
    const ItemState* item = panel->Item(itemId);
    if (item == nullptr)
        return Refuse(problem, "the palette \"" + panel->title + "\" has no item " + std::to_string(itemId));
    if (!item->enabled || !item->visible)
        return Refuse(problem, "item " + std::to_string(itemId) + " is disabled or hidden");
    const Int32 panelId = panel->id;
    if (item->kind == "Button" || item->kind == "IconButton") {
        Record("palette", *panel, "click", {{"item", itemId}});
        DispatchButtonClick(panelId, itemId);
        return true;
    }
    if (item->kind == "RadioButton") {
        Record("palette", *panel, "click", {{"item", itemId}});
        SelectRadio(panelId, itemId);
        DispatchRadioChange(panelId, itemId);
        return true;
    }
    return Refuse(problem, "item " + std::to_string(itemId) + " is a " + item->kind + ", which cannot be clicked");
}

JsCallResult UserInterface::CallJsFunction(const std::string& objectName, const std::string& functionName,
                                           const GS::Ref<JS::Base>& argument)
{
    JsCallResult result;
    GS::Ref<JS::Object> object;
    for (const auto& [id, panel] : panels_)
        for (const auto& item : panel.items)
            if (item.kind == "Browser" && !item.url.empty() && object == nullptr)
                for (const auto& candidate : item.scriptObjects)
                    if (candidate->GetName().ToStdString() == objectName)
                        object = candidate;
    if (object == nullptr) {
        result.problem = "no page shows a script object named \"" + objectName + "\"";
        return result;
    }
    GS::Ref<JS::Function> function = object->FindFunction(GS::UniString(functionName));
    if (function == nullptr) {
        result.problem = objectName + " has no function \"" + functionName + "\"";
        return result;
    }
    try {
        result.reply = function->Call(argument);
        result.called = true;
    } catch (const std::exception& e) {
        // In the host's browser this would take the host down.
        result.problem = "exception escaped " + objectName + "." + functionName + ": " + e.what();
        ReportProgrammingError(result.problem);
    } catch (...) {
        result.problem = "exception escaped " + objectName + "." + functionName;
        ReportProgrammingError(result.problem);
    }
    return result;
}

GSErrCode UserInterface::OpenFile(const std::string& path, Int16 method, std::string* problem)
{
    const std::string extension = Lower(std::filesystem::path(path).extension().string());
    const Registry& registry = TheHost().GetRegistry();
    for (const auto& fileType : registry.fileTypes) {
        if ("." + Lower(fileType.extension) != extension)
            continue;
        auto handler = registry.fileTypeHandlers.find(fileType.refCon);
        if (handler == registry.fileTypeHandlers.end() || handler->second == nullptr)
            continue;
        IO::Location location{GS::UniString(path)};
        API_IOParams params;
        params.refCon = fileType.refCon;
        params.method = method;
        params.fileLoc = &location;
        TheHost().GetTranscript().Record("file", {{"path", path}, {"method", method}});
        try {
            return handler->second(&params);
        } catch (...) {
            ReportProgrammingError("exception escaped the file type handler for \"" + path + "\"");
            return APIERR_GENERAL;
        }
    }
    Refuse(problem, "no add-on handles files of the type \"" + extension + "\"");
    return APIERR_BADPARS;
}

}  // namespace Sim
