// The simulated user interface's state as the host's dialog library keeps it up: panels, items, pages.
#include "UserInterface.hpp"

#include "Host.hpp"
#include "SimUtf8.hpp"

#include <algorithm>

namespace Sim {
namespace {

// Panel numbers are not reused within a process (until the 16-bit numbers run out), so a panel object
// that outlived its host does not reach a panel of a later host.
short lastPanelId = 0;

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

short UserInterface::CreatePanel(DG::Panel* object, PanelKind kind, GSResModule resModule, short resId,
                                 GSResModule iconResModule, const GS::Guid& guid)
{
    PanelState panel;
    do
        lastPanelId = lastPanelId == MaxInt16 ? 1 : static_cast<short>(lastPanelId + 1);
    while (panels_.count(lastPanelId) != 0);
    panel.id = lastPanelId;
    panel.kind = kind;
    panel.resId = resId;
    panel.guid = guid;
    panel.iconResModule = iconResModule;
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
        ReportProgrammingError("DG::Palette: a palette with the GUID " + Sim::Utf8(guid.ToUniString()) +
                               " exists already");

    const short id = static_cast<short>(panel.id);
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

void UserInterface::ShowPalette(Int32 panelId, short refDialId)
{
    PanelState* panel = FindPanel(panelId);
    if (panel == nullptr || panel->visible)
        return;
    panel->visible = true;
    // The 16 bits of the placement, unsigned: the front place (DG_DF_FIRST) shows as 32768.
    Record("palette", *panel, "shown", {{"showMode", static_cast<UInt16>(refDialId)}});
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
        fields["guid"] = Sim::Utf8(panel->guid.ToUniString());
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
    Record("browser", *panel, "register", {{"item", itemId}, {"object", Sim::Utf8(object->GetName())}});
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

void UserInterface::AttachItemObserver(Int32 panelId, short itemId, DG::ItemObserver* observer)
{
    ItemState* item = FindItem(panelId, itemId);
    if (item != nullptr && !Contains(item->observers, observer))
        item->observers.push_back(observer);
}

void UserInterface::DetachItemObserver(Int32 panelId, short itemId, DG::ItemObserver* observer)
{
    if (ItemState* item = FindItem(panelId, itemId))
        Remove(item->observers, observer);
}

void UserInterface::ForgetObserver(const void* observer)
{
    for (auto& [id, panel] : panels_) {
        Remove(panel.observers, observer);
        Remove(panel.compoundObservers, observer);
        for (auto& item : panel.items)
            Remove(item.observers, observer);
    }
}

std::vector<DG::ItemObserver*> UserInterface::ItemObservers(Int32 panelId, short itemId,
                                                            DG::ItemObserver* (*asItemObserver)(DG::CompoundItemObserver*))
{
    std::vector<DG::ItemObserver*> result;
    PanelState* panel = FindPanel(panelId);
    ItemState* item = panel != nullptr ? panel->Item(itemId) : nullptr;
    if (item == nullptr)
        return result;
    result = item->observers;
    for (DG::CompoundItemObserver* compound : panel->compoundObservers)
        if (DG::ItemObserver* observer = asItemObserver(compound); observer != nullptr && !Contains(result, observer))
            result.push_back(observer);
    return result;
}

std::vector<DG::PanelObserver*> UserInterface::PanelObservers(Int32 panelId)
{
    PanelState* panel = FindPanel(panelId);
    return panel != nullptr ? panel->observers : std::vector<DG::PanelObserver*>();
}

bool UserInterface::IsObserving(Int32 panelId, const DG::PanelObserver* observer)
{
    PanelState* panel = FindPanel(panelId);
    return panel != nullptr && Contains(panel->observers, observer);
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
    if (!TheHost().GetTranscript().IsRecording())
        return;  // a long run without a transcript would spend its time building events nobody keeps
    nlohmann::ordered_json fields = {{"event", event}};
    if (panel.kind == PanelKind::Palette)
        fields["guid"] = Sim::Utf8(panel.guid.ToUniString());
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

}  // namespace Sim
