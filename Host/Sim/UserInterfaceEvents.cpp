// What the user does with the simulated user interface, and how the add-on's observers hear of it.
#include "UserInterface.hpp"

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

// Observers of the item itself, then compound observers of its panel, asked afresh before each call so an
// observer detached by an earlier one is not called.
template <typename Source, typename Observer, typename Event>
void UserInterface::DispatchItemEvent(Int32 panelId, short itemId, std::vector<Observer*> ItemState::*observers,
                                      void (Observer::*notify)(const Event&))
{
    PanelState* panel = FindPanel(panelId);
    ItemState* item = panel != nullptr ? panel->Item(itemId) : nullptr;
    if (item == nullptr)
        return;
    Source* source = nullptr;
    for (DG::Item* object : item->objects)
        if ((source = dynamic_cast<Source*>(object)) != nullptr)
            break;
    const Event ev(source);

    auto listeners = [this, panelId, itemId, observers]() {
        std::vector<Observer*> result;
        PanelState* current = FindPanel(panelId);
        ItemState* currentItem = current != nullptr ? current->Item(itemId) : nullptr;
        if (currentItem == nullptr)
            return result;
        result = currentItem->*observers;
        for (DG::CompoundItemObserver* compound : current->compoundObservers)
            if (auto* observer = dynamic_cast<Observer*>(compound))
                if (!Contains(result, observer))
                    result.push_back(observer);
        return result;
    };
    for (Observer* observer : listeners())
        if (Contains(listeners(), observer))
            (observer->*notify)(ev);
}

void UserInterface::DispatchButtonClick(Int32 panelId, short itemId)
{
    DispatchItemEvent<DG::ButtonItem>(panelId, itemId, &ItemState::buttonObservers, &DG::ButtonItemObserver::ButtonClicked);
}

void UserInterface::DispatchRadioChange(Int32 panelId, short itemId)
{
    DispatchItemEvent<DG::RadioButton>(panelId, itemId, &ItemState::radioObservers,
                                       &DG::RadioItemObserver::RadioButtonChanged);
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
    const short resId = panel->resId;

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
                    if (Sim::Utf8(candidate->GetName()) == objectName)
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
