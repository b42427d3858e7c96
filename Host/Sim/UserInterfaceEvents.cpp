// What the user does with the simulated user interface, and how the add-on's observers hear of it.
#include "UserInterface.hpp"

#include "ClassLibs/EventDispatcher.hpp"
#include "Host.hpp"
#include "Location.hpp"
#include "SimUtf8.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace Sim {
namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool Refuse(std::string* problem, const std::string& why)
{
    if (problem != nullptr)
        *problem = why;
    return false;
}

// The bulk import settings dialog: its resource and its two scope radio buttons.
constexpr short BulkImportSettingsResId = 32650;
constexpr short LibraryOnlyRadio = 8;
constexpr short LibraryAndModelRadio = 10;

// How the host's option (corvana-host --dialog) answers the bulk import settings dialog when no answer
// was scripted for it: "library", "model", "cancel"; anything else accepts it untouched.
DialogChoice OptionDialogChoice(short resId)
{
    DialogChoice choice;
    if (resId != BulkImportSettingsResId || !HasHost())
        return choice;
    const std::string& option = TheHost().Options().dialogChoice;
    if (option == "library")
        choice.radioItem = LibraryOnlyRadio;
    else if (option == "model")
        choice.radioItem = LibraryAndModelRadio;
    else if (option == "cancel")
        choice.action = DialogChoice::Cancel;
    return choice;
}

}  // namespace

// ---- Event delivery ----
// Through the dialog library's objects (DG::EventDispatcher), which tell their observers. An observer may
// destroy the panel, or detach itself or others, while it is told: the panel is looked up again after.

bool UserInterface::AskToClose(Int32 panelId)
{
    PanelState* panel = FindPanel(panelId);
    if (panel == nullptr)
        return false;
    if (panel->kind == PanelKind::Palette && !panel->eventProcessing)
        return true;
    const short answer = DG::EventDispatcher::CloseRequested(*panel->object, PanelEventData());
    return FindPanel(panelId) != nullptr && answer == DG_OK;
}

void UserInterface::DispatchClose(Int32 panelId, bool accepted)
{
    PanelState* panel = FindPanel(panelId);
    if (panel == nullptr)
        return;
    PanelEventData data;
    data.retCode = accepted ? DG_OK : DG_CANCEL;
    DG::EventDispatcher::Closed(*panel->object, data);
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
            panel->pendingResponse = DG::ModalDialog::Cancel;
        return;
    }
    panel->visible = false;
    Record("palette", *panel, "closed");
    DispatchClose(panelId, true);
}

namespace {

// The add-on's object of the item that takes the event: the first one made of the class that has it.
template <typename Source>
DG::Item* EventSource(const ItemState& item)
{
    for (DG::Item* object : item.objects)
        if (dynamic_cast<Source*>(object) != nullptr)
            return object;
    return nullptr;
}

}  // namespace

void UserInterface::DispatchButtonClick(Int32 panelId, short itemId)
{
    ItemState* item = FindItem(panelId, itemId);
    DG::Item* source = item != nullptr ? EventSource<DG::ButtonItem>(*item) : nullptr;
    if (source != nullptr)
        DG::EventDispatcher::Clicked(*source, ItemEventData());
}

void UserInterface::DispatchRadioChange(Int32 panelId, short itemId, short previousItemId)
{
    ItemState* item = FindItem(panelId, itemId);
    DG::Item* source = item != nullptr ? EventSource<DG::RadioItem>(*item) : nullptr;
    if (source == nullptr)
        return;
    ItemEventData data;
    if (const ItemState* previous = previousItemId != 0 ? FindItem(panelId, previousItemId) : nullptr)
        data.previousSelection = EventSource<DG::RadioItem>(*previous);
    DG::EventDispatcher::Changed(*source, data);
}

namespace {

// The radio button of the item's group that is selected now, or 0.
short SelectedInGroup(const PanelState& panel, short itemId)
{
    const ItemState* chosen = panel.Item(itemId);
    if (chosen == nullptr)
        return 0;
    for (const auto& item : panel.items)
        if (item.kind == "RadioButton" && item.group == chosen->group && item.selected)
            return item.id;
    return 0;
}

}  // namespace

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
    const short resId = panel->resId;

    DG::EventDispatcher::Opened(*panel->object, PanelEventData());
    if (FindPanel(panelId) == nullptr)
        return false;

    const DialogChoice choice = dialogChoices_.empty() ? OptionDialogChoice(resId) : dialogChoices_.front();
    if (!dialogChoices_.empty())
        dialogChoices_.pop_front();

    panel = FindPanel(panelId);
    if (panel != nullptr && choice.radioItem != 0) {
        const ItemState* radio = panel->Item(choice.radioItem);
        if (radio == nullptr || radio->kind != "RadioButton" || !radio->enabled) {
            ReportProgrammingError("dialog choice: item " + std::to_string(choice.radioItem) + " of dialog " +
                                   std::to_string(panel->resId) + " is no enabled radio button");
        } else {
            const short previous = SelectedInGroup(*panel, choice.radioItem);
            SelectRadio(panelId, choice.radioItem);
            DispatchRadioChange(panelId, choice.radioItem, previous);
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
    Int32 fallback = DG::ModalDialog::Accept;
    switch (choice.action) {
        case DialogChoice::Accept:
            pressButton(1);
            break;
        case DialogChoice::Cancel:
            answer = "cancel";
            fallback = DG::ModalDialog::Cancel;
            pressButton(2);
            break;
        case DialogChoice::Close:
            answer = "close";
            fallback = DG::ModalDialog::Cancel;
            AskToClose(panelId);
            break;
    }

    panel = FindPanel(panelId);
    if (panel == nullptr)
        return false;
    // A button that posted no close request still ends the dialog here: the simulator never waits.
    const Int32 response = panel->pendingResponse != 0 ? panel->pendingResponse : fallback;
    const bool accepted = response == DG::ModalDialog::Accept;
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


// ---- What the user does ----

PanelState* UserInterface::PaletteForUser(const GS::Guid& palette, const char* flag, const char* lacking,
                                          std::string* problem)
{
    PanelState* panel = FindPaletteState(palette);
    if (panel == nullptr) {
        Refuse(problem, "no palette " + Sim::Utf8(palette.ToUniString()));
        return nullptr;
    }
    const std::string named = "the palette \"" + panel->title + "\" ";
    const char* refusal = nullptr;
    if (!panel->visible)
        refusal = "is not shown";
    else if (flag != nullptr && !panel->HasFlag(flag))
        refusal = lacking;
    else if (!panel->eventProcessing)
        refusal = "takes no user events";
    if (refusal != nullptr) {
        Refuse(problem, named + refusal);
        return nullptr;
    }
    return panel;
}

bool UserInterface::PressCloseBox(const GS::Guid& palette, std::string* problem)
{
    PanelState* panel = PaletteForUser(palette, "close", "has no close box", problem);
    if (panel == nullptr)
        return false;
    Record("palette", *panel, "closeBox");
    RequestClose(panel->id);
    return true;
}

bool UserInterface::ResizePalette(const GS::Guid& palette, Int32 dx, Int32 dy, std::string* problem)
{
    PanelState* panel = PaletteForUser(palette, "grow", "cannot be resized", problem);
    if (panel == nullptr)
        return false;
    if (panel->width + dx < 0 || panel->height + dy < 0)
        return Refuse(problem, "the palette cannot be made smaller than nothing");
    panel->width += dx;
    panel->height += dy;
    Record("palette", *panel, "resized", {{"width", panel->width}, {"height", panel->height}});

    PanelEventData data;
    data.hGrow = static_cast<short>(dx);
    data.vGrow = static_cast<short>(dy);
    DG::EventDispatcher::Resized(*panel->object, data);
    return true;
}

bool UserInterface::ClickItem(const GS::Guid& palette, short itemId, std::string* problem)
{
    PanelState* panel = PaletteForUser(palette, nullptr, nullptr, problem);
    if (panel == nullptr)
        return false;
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
        const short previous = SelectedInGroup(*panel, itemId);
        SelectRadio(panelId, itemId);
        DispatchRadioChange(panelId, itemId, previous);
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
                    if (Sim::Utf8(candidate->GetName()) == objectName)
                        object = candidate;
    if (object == nullptr) {
        result.problem = "no page shows a script object named \"" + objectName + "\"";
        return result;
    }
    const GS::UniString name = Sim::Uni(functionName);
    const GS::Ref<JS::Base>* item = object->GetItemTable().GetPtr(name);
    if (item == nullptr || GS::DynamicCast<JS::Function>(*item) == nullptr) {
        result.problem = objectName + " has no function \"" + functionName + "\"";
        return result;
    }
    try {
        result.reply = object->CalledFromJSSide(name, argument);
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
    const std::string extension = Lower(PathUtf8(PathFromUtf8(path).extension()));
    const Registry& registry = TheHost().GetRegistry();
    for (const auto& fileType : registry.fileTypes) {
        if ("." + Lower(fileType.extension) != extension)
            continue;
        auto handler = registry.fileTypeHandlers.find(fileType.refCon);
        if (handler == registry.fileTypeHandlers.end() || handler->second == nullptr)
            continue;
        IO::Location location{Sim::Uni(path)};
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
