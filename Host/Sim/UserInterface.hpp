// The simulated user interface: the live palettes and modal dialogs with their items, the embedded
// browsers with their pages and script objects, and what the user does with them. The host's dialog
// library (Host/Sim/ClassLibs) keeps its state here; tests and corvana-host act through the user
// operations at the end. Everything the user would see is written to the transcript:
//   "palette"  {event, guid, title, ...}: created, shown (showMode), hidden, closed, destroyed, title,
//              resized (width, height), closeBox, click (item), itemText (item, text), itemsEnabled/Disabled
//   "browser"  {event, guid, title, item, url | object}: load, register
//   "progress" {item, value, min, max, guid}: every value a progress bar was given
//   "dialog"   {resId, title, items (texts), selected (radio items), answer, result}: one per Invoke
//   "externalBrowser" {url, started}; "file" {path, method}
//   "error"    {text}: a programming error of the add-on (wrong item kind, missing layout, an exception
//              that escaped a script function, ...)
#pragma once

#include "DGModule.hpp"
#include "JSValues.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace Sim {

class Host;

struct ProgressSample {
    Int64 ticks = 0;  // the host clock's ticks when the value was set
    Int32 value = 0;
};

struct ItemState {
    short id = 0;
    std::string kind;  // the layout's kind: Browser, Button, IconButton, LeftText, RadioButton, ProgressBar, ...
    std::string name;  // the layout's item name
    Int32 x = 0, y = 0, width = 0, height = 0;
    std::string text;
    Int32 icon = 0;
    Int32 group = 0;
    bool enabled = true;
    bool visible = true;
    bool selected = false;
    // Progress bars.
    Int32 minimum = 0, maximum = 100, value = 0;
    std::vector<ProgressSample> progress;
    // Browsers.
    std::string url;
    Int32 pageLoads = 0;
    std::vector<GS::Ref<JS::Object>> scriptObjects;

    std::vector<DG::Item*> objects;  // the item objects of the add-on, first one made first
    std::vector<DG::ItemObserver*> observers;
};

enum class PanelKind { Palette, ModalDialog };

struct PanelState {
    Int32 id = 0;
    PanelKind kind = PanelKind::Palette;
    short resId = 0;
    GS::Guid guid;
    GSResModule iconResModule = 0;
    std::string layoutName;
    std::vector<std::string> flags;  // from the layout: close, grow, ...
    std::string title;
    Int32 width = 0, height = 0;
    bool visible = false;
    bool eventProcessing = false;
    Int32 moveResizeDepth = 0;
    Int32 moveResizeBrackets = 0;  // completed Begin/EndMoveResizeItems pairs
    Int32 pendingResponse = 0;     // modal dialogs: a posted close request (DG::ModalDialog::ModalResponse), 0 none

    DG::Panel* object = nullptr;
    std::vector<DG::PanelObserver*> observers;
    std::vector<DG::CompoundItemObserver*> compoundObservers;
    std::vector<ItemState> items;  // item n is items[n - 1]

    bool HasFlag(const std::string& flag) const;
    const ItemState* Item(short itemId) const;
    ItemState* Item(short itemId);
};

// How the user answers the next modal dialog: optionally select a radio button, then accept (press the
// dialog's first button), cancel (press its second) or close it with its close box.
struct DialogChoice {
    enum Action { Accept, Cancel, Close };
    Action action = Accept;
    short radioItem = 0;
};

struct JsCallResult {
    bool called = false;        // the function was found and ran to its end
    GS::Ref<JS::Base> reply;    // what it answered (may be empty)
    std::string problem;        // why it was not called, or what escaped from it
};

class UserInterface {
public:
    UserInterface() = default;
    UserInterface(const UserInterface&) = delete;
    UserInterface& operator=(const UserInterface&) = delete;

    // The user interface of the current host; null when there is none (the class library then does nothing).
    static UserInterface* Current();

    // ---- Kept up by the class library ----
    // Panel numbers are the host's 16-bit dialog numbers.
    short CreatePanel(DG::Panel* object, PanelKind kind, GSResModule resModule, short resId,
                      GSResModule iconResModule, const GS::Guid& guid);
    void DestroyPanel(Int32 panelId);
    PanelState* FindPanel(Int32 panelId);
    // The item when it exists and its kind is one of `kinds` ('|'-separated; null: any); otherwise the
    // programming error is reported and null returned.
    ItemState* CheckItem(Int32 panelId, short itemId, const char* className, const char* kinds);
    ItemState* FindItem(Int32 panelId, short itemId);
    void AddItemObject(Int32 panelId, short itemId, DG::Item* object);
    void RemoveItemObject(Int32 panelId, short itemId, DG::Item* object);

    // `refDialId`: where among the others (DG::ModelessBase::First, Last).
    void ShowPalette(Int32 panelId, short refDialId);
    void HidePalette(Int32 panelId);
    void SetTitle(Int32 panelId, const std::string& title);
    void SetItemsEnabled(Int32 panelId, bool enabled);
    void SetItemText(Int32 panelId, short itemId, const std::string& text);
    void SetProgress(Int32 panelId, short itemId, Int32 minimum, Int32 maximum, Int32 value);
    void SelectRadio(Int32 panelId, short itemId);
    void LoadUrl(Int32 panelId, short itemId, const std::string& url);
    bool RegisterScriptObject(Int32 panelId, short itemId, const GS::Ref<JS::Object>& object);
    void BeginMoveResize(Int32 panelId);
    void EndMoveResize(Int32 panelId);
    void RequestClose(Int32 panelId);
    bool RunModal(Int32 panelId);

    void AttachPanelObserver(Int32 panelId, DG::PanelObserver* observer);
    void DetachPanelObserver(Int32 panelId, DG::PanelObserver* observer);
    void AttachCompoundObserver(Int32 panelId, DG::CompoundItemObserver* observer);
    void DetachCompoundObserver(Int32 panelId, DG::CompoundItemObserver* observer);
    void AttachItemObserver(Int32 panelId, short itemId, DG::ItemObserver* observer);
    void DetachItemObserver(Int32 panelId, short itemId, DG::ItemObserver* observer);
    void ForgetObserver(const void* observer);  // an observer of any kind is going away
    // Who hears an event of the item now: its own observers, then those compound observers of its panel
    // that `asItemObserver` makes an observer of this event's kind (null: not of that kind).
    std::vector<DG::ItemObserver*> ItemObservers(Int32 panelId, short itemId,
                                                 DG::ItemObserver* (*asItemObserver)(DG::CompoundItemObserver*));
    std::vector<DG::PanelObserver*> PanelObservers(Int32 panelId);
    bool IsObserving(Int32 panelId, const DG::PanelObserver* observer);

    bool OpenExternalBrowser(const std::string& url);

    void ReportProgrammingError(const std::string& text);

    // ---- What tests and corvana-host look at ----
    const PanelState* FindPalette(const GS::Guid& guid) const;
    std::vector<const PanelState*> Panels() const;
    const std::vector<std::string>& ExternalBrowserUrls() const { return externalUrls_; }

    // ---- What the user does ----
    // Each answers false, with the reason in `problem`, when the user could not do it.
    bool PressCloseBox(const GS::Guid& palette, std::string* problem = nullptr);
    bool ResizePalette(const GS::Guid& palette, Int32 dx, Int32 dy, std::string* problem = nullptr);
    bool ClickItem(const GS::Guid& palette, short itemId, std::string* problem = nullptr);
    // The page calls `objectName.functionName(argument)`; an empty argument is a call without one.
    JsCallResult CallJsFunction(const std::string& objectName, const std::string& functionName,
                                const GS::Ref<JS::Base>& argument = GS::Ref<JS::Base>());
    void ScriptNextDialog(DialogChoice choice) { dialogChoices_.push_back(choice); }
    size_t PendingDialogChoices() const { return dialogChoices_.size(); }
    // Makes the operating system's browser fail to start (or start again).
    void SetExternalBrowserFails(bool fails) { externalBrowserFails_ = fails; }
    // Opens a file through the host: the handler of the file type registered for its extension gets it
    // with the I/O method `method` (2: open).
    GSErrCode OpenFile(const std::string& path, Int16 method, std::string* problem = nullptr);

private:
    template <typename T>
    static bool Contains(const std::vector<T*>& list, const T* element)
    {
        return std::find(list.begin(), list.end(), element) != list.end();
    }

    PanelState* FindPaletteState(const GS::Guid& guid);
    // The palette a user action reaches, or null with the reason: absent, not shown, without the part
    // the action needs (its flag; `lacking` says so), or taking no user events.
    PanelState* PaletteForUser(const GS::Guid& palette, const char* flag, const char* lacking, std::string* problem);
    void Record(const std::string& kind, const PanelState& panel, const std::string& event,
                nlohmann::ordered_json extra = nlohmann::ordered_json::object());
    void DispatchClose(Int32 panelId, bool accepted);
    void DispatchButtonClick(Int32 panelId, short itemId);
    void DispatchRadioChange(Int32 panelId, short itemId, short previousItemId);
    bool AskToClose(Int32 panelId);

    std::map<Int32, PanelState> panels_;
    std::deque<DialogChoice> dialogChoices_;
    std::vector<std::string> externalUrls_;
    bool externalBrowserFails_ = false;
};

}  // namespace Sim
