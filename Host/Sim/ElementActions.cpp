#include "ElementActions.hpp"

#include "Model/ElementJson.hpp"
#include "ModelState.hpp"
#include "NotificationScope.hpp"
#include "SimUtf8.hpp"

#include <cstring>
#include <optional>

namespace Sim {
namespace {

using Model::Element;

std::string GuidText(const API_Guid& guid)
{
    return guid == APINULLGuid ? std::string() : Sim::Utf8(APIGuidToString(guid));
}

// One element's state before and after a user action; an absent state means the element did not exist.
struct ElementChange {
    API_Guid guid{};
    size_t position = 0;  // its place in the listing order
    std::optional<Element> before;
    std::optional<Element> after;
};

struct UndoStep {
    std::string name;
    std::vector<ElementChange> changes;
};

struct PendingNotification {
    bool toNewElementHandler = false;  // else to the element observer
    API_NotifyElementType record;
    API_Guid parent;  // what ACAPI_Notification_GetParentElement answers during the delivery
};

struct ActionState {
    std::vector<UndoStep> undo;
    std::vector<UndoStep> redo;
    std::vector<DeliveredNotification> last;
};

ActionState& Actions(Host& host) { return host.FamilyState<ActionState>(); }

API_NotifyElementType Record(API_ElementDBEventID kind, const Element& element)
{
    API_NotifyElementType record;
    std::memset(&record, 0, sizeof record);
    record.notifID = kind;
    record.elemHead.type = element.type;
    record.elemHead.guid = element.guid;
    return record;
}

class Notifier {
public:
    explicit Notifier(Host& host) : host_(host) {}

    void ToNewElementHandler(const API_NotifyElementType& record, const API_Guid& parent = APINULLGuid)
    {
        pending_.push_back({true, record, parent});
    }
    // Observers are asked per element: only elements an add-on attached an observer to are reported.
    void ToObservers(const API_Guid& observed, const API_NotifyElementType& record,
                     const API_Guid& parent = APINULLGuid)
    {
        if (TheModelState(host_).observed.count(observed) != 0)
            pending_.push_back({false, record, parent});
    }

    void Deliver()
    {
        auto& delivered = Actions(host_).last;
        delivered.clear();
        const Registry& registry = host_.GetRegistry();
        struct Target {
            APIElementEventHandlerProc* handler;
            const char* role;
        };
        std::vector<Target> targets;
        for (const auto& pending : pending_) {
            Target target = pending.toNewElementHandler ? Target{registry.newElementHandler, "newElement"}
                                                        : Target{registry.elementObserver, "observer"};
            if (target.handler == nullptr)
                continue;
            bool known = false;
            for (const auto& existing : targets)
                known = known || existing.handler == target.handler;
            if (!known)
                targets.push_back(target);
        }
        if (targets.empty())
            return;

        const Database& floorPlan = TheModelState(host_).FloorPlan();
        auto series = [&](API_ElementDBEventID kind) {
            for (const auto& target : targets) {
                API_NotifyElementType record;
                std::memset(&record, 0, sizeof record);
                record.notifID = kind;
                record.databaseId.elemSetId = floorPlan.id;
                Call(target.handler, target.role, record, APINULLGuid, floorPlan.name);
            }
        };
        series(APINotifyElement_BeginEvents);
        for (const auto& pending : pending_) {
            APIElementEventHandlerProc* handler =
                pending.toNewElementHandler ? registry.newElementHandler : registry.elementObserver;
            if (handler != nullptr)
                Call(handler, pending.toNewElementHandler ? "newElement" : "observer", pending.record, pending.parent,
                     "");
        }
        series(APINotifyElement_EndEvents);
    }

private:
    void Call(APIElementEventHandlerProc* handler, const char* role, const API_NotifyElementType& record,
              const API_Guid& parent, const std::string& database)
    {
        GSErrCode result = NoError;
        {
            NotificationScope scope(parent);
            result = handler(&record);
        }
        nlohmann::ordered_json fields = {{"handler", role},
                                         {"notifID", static_cast<Int32>(record.notifID)},
                                         {"type", static_cast<Int32>(record.elemHead.type.typeID)},
                                         {"guid", GuidText(record.elemHead.guid)},
                                         {"parentGuid", GuidText(parent)}};
        if (!database.empty())
            fields["database"] = database;
        fields["result"] = result;
        host_.GetTranscript().Record("notification", fields);
        Actions(host_).last.push_back({role, record, parent, result});
    }

    Host& host_;
    std::vector<PendingNotification> pending_;
};

void RecordAction(Host& host, const std::string& action, const API_Guid& guid)
{
    host.GetTranscript().Record("userAction", {{"action", action}, {"guid", GuidText(guid)}});
}

// Puts each element into the state `after` (or `before` when undoing) says, keeping the listing order.
void ApplyStates(Host& host, const UndoStep& step, bool undoing)
{
    auto& elements = host.GetProject().elements;
    auto& deleted = TheModelState(host).deleted;
    auto apply = [&](const ElementChange& change) {
        const std::optional<Element>& target = undoing ? change.before : change.after;
        if (!target) {
            elements.Remove(change.guid);
            deleted.insert(change.guid);
        } else if (Element* current = elements.Find(change.guid)) {
            *current = *target;
        } else {
            elements.Insert(change.position, *target);
            deleted.erase(change.guid);
        }
    };
    if (undoing)
        for (auto it = step.changes.rbegin(); it != step.changes.rend(); ++it)
            apply(*it);
    else
        for (const auto& change : step.changes)
            apply(change);
}

// A finished user action: remembered for undo (which forgets what was undone before).
void Remember(Host& host, UndoStep step)
{
    Actions(host).undo.push_back(std::move(step));
    Actions(host).redo.clear();
}

// What the add-on wrote while it was told (stamped properties, user data) belongs to the user's step, so a
// redo brings it back too.
void RefreshLastStep(Host& host)
{
    auto& undo = Actions(host).undo;
    if (undo.empty())
        return;
    for (auto& change : undo.back().changes) {
        const Element* current = host.GetProject().elements.Find(change.guid);
        if (change.after && current != nullptr)
            change.after = *current;
    }
}

bool Fail(std::string* problem, const std::string& text)
{
    if (problem != nullptr)
        *problem = text;
    return false;
}

Element* FindForUser(Host& host, const API_Guid& guid, std::string* problem)
{
    Element* element = host.GetProject().elements.Find(guid);
    if (element == nullptr)
        Fail(problem, "the project has no element " + Sim::Utf8(APIGuidToString(guid)));
    return element;
}

// A change of one element's settings that observers hear about as `kind`.
template <typename Edit>
bool ChangeElement(Host& host, const API_Guid& guid, const char* action, API_ElementDBEventID kind, Edit edit,
                   std::string* problem)
{
    Element* element = FindForUser(host, guid, problem);
    if (element == nullptr)
        return false;
    Element changed = *element;
    if (!edit(changed, problem))
        return false;
    const size_t position = host.GetProject().elements.PositionOf(guid);
    Remember(host, {action, {{guid, position, *element, changed}}});
    *element = changed;
    RecordAction(host, action, guid);
    Notifier notifier(host);
    notifier.ToObservers(guid, Record(kind, changed));
    notifier.Deliver();
    RefreshLastStep(host);
    return true;
}

}  // namespace

const std::vector<DeliveredNotification>& ElementActions::LastNotifications() const { return Actions(host_).last; }

bool ElementActions::Place(const Json::Value& element, API_Guid* placed, std::string* problem)
{
    Actions(host_).last.clear();
    Element read;
    try {
        read = Model::ReadElement(Json::Reader(element, ""), host_.GetProject(), false, true);
    } catch (const Json::Error& e) {
        return Fail(problem, Json::DisplayPlace(e.Place()) + ": " + e.Problem());
    }
    return Place(std::move(read), placed, problem);
}

bool ElementActions::Place(Element element, API_Guid* placed, std::string* problem)
{
    Actions(host_).last.clear();
    if (!Element::IsModelType(element.type))
        return Fail(problem, "elements of type " + std::to_string(element.type) + " are not placed by the user");
    if (element.guid == APINULLGuid)
        element.guid = host_.NewProjectGuid();
    else if (host_.GetProject().ContainsGuid(element.guid))
        return Fail(problem, "the GUID " + GuidText(element.guid) + " is already used in the project");
    Project& project = host_.GetProject();
    Remember(host_, {"place", {{element.guid, project.elements.All().size(), std::nullopt, element}}});
    const Element& added = project.elements.Add(std::move(element));
    TheModelState(host_).deleted.erase(added.guid);
    if (placed != nullptr)
        *placed = added.guid;
    RecordAction(host_, "place", added.guid);
    Notifier notifier(host_);
    notifier.ToNewElementHandler(Record(APINotifyElement_New, added));
    notifier.Deliver();
    RefreshLastStep(host_);
    return true;
}

bool ElementActions::Copy(const API_Guid& original, API_Guid* copy, std::string* problem)
{
    Actions(host_).last.clear();
    Element* source = FindForUser(host_, original, problem);
    if (source == nullptr)
        return false;
    // User data, classification and property values travel with the copy.
    Element duplicate = *source;
    duplicate.guid = host_.NewProjectGuid();
    Project& project = host_.GetProject();
    Remember(host_, {"copy", {{duplicate.guid, project.elements.All().size(), std::nullopt, duplicate}}});
    const Element& added = project.elements.Add(std::move(duplicate));
    if (copy != nullptr)
        *copy = added.guid;
    RecordAction(host_, "copy", added.guid);
    Notifier notifier(host_);
    notifier.ToNewElementHandler(Record(APINotifyElement_New, added), original);
    notifier.ToObservers(original, Record(APINotifyElement_Copy, added), original);
    notifier.Deliver();
    RefreshLastStep(host_);
    return true;
}

bool ElementActions::Change(const API_Guid& guid, const Json::Value& fields, std::string* problem)
{
    Actions(host_).last.clear();
    Host& host = host_;
    return ChangeElement(
        host_, guid, "change", APINotifyElement_Change,
        [&host, &fields](Element& element, std::string* why) {
            try {
                Model::ApplyElementChanges(Json::Reader(fields, ""), host.GetProject(), element);
                return true;
            } catch (const Json::Error& e) {
                return Fail(why, Json::DisplayPlace(e.Place()) + ": " + e.Problem());
            }
        },
        problem);
}

bool ElementActions::Edit(const API_Guid& guid, const Model::Point3& offset, std::string* problem)
{
    Actions(host_).last.clear();
    return ChangeElement(
        host_, guid, "edit", APINotifyElement_Edit,
        [&offset](Element& element, std::string*) {
            element.origin = {element.origin.x + offset.x, element.origin.y + offset.y, element.origin.z + offset.z};
            return true;
        },
        problem);
}

bool ElementActions::SetIfcName(const API_Guid& guid, const std::string& name, std::string* problem)
{
    Actions(host_).last.clear();
    return ChangeElement(
        host_, guid, "setIfcName", APINotifyElement_Change,
        [&name](Element& element, std::string* why) {
            if (name.find('\0') != std::string::npos)
                return Fail(why, "an IFC name cannot hold a NUL character");
            element.SetIfcAttribute("Name", name);
            return true;
        },
        problem);
}

bool ElementActions::SetPropertyValue(const API_Guid& guid, const API_Guid& definition, const std::string& value,
                                      std::string* problem)
{
    Actions(host_).last.clear();
    return ChangeElement(
        host_, guid, "setPropertyValue", APINotifyElement_PropertyValueChange,
        [&definition, &value](Element& element, std::string* why) {
            if (definition == APINULLGuid)
                return Fail(why, "no property definition is named");
            element.attached.propertyValues[definition] = Sim::Model::PropertyValueRecord{value};
            return true;
        },
        problem);
}

bool ElementActions::SetClassification(const API_Guid& guid, const API_Guid& system, const API_Guid& item,
                                       std::string* problem)
{
    Actions(host_).last.clear();
    return ChangeElement(
        host_, guid, "setClassification", APINotifyElement_ClassificationChange,
        [&system, &item](Element& element, std::string* why) {
            if (system == APINULLGuid || item == APINULLGuid)
                return Fail(why, "a classification needs its system and its item");
            element.attached.classification[system] = item;
            return true;
        },
        problem);
}

bool ElementActions::Delete(const API_Guid& guid, std::string* problem)
{
    Actions(host_).last.clear();
    Element* element = FindForUser(host_, guid, problem);
    if (element == nullptr)
        return false;
    Project& project = host_.GetProject();
    const Element removed = *element;
    Remember(host_, {"delete", {{guid, project.elements.PositionOf(guid), removed, std::nullopt}}});
    project.elements.Remove(guid);
    TheModelState(host_).deleted.insert(guid);
    RecordAction(host_, "delete", guid);
    Notifier notifier(host_);
    notifier.ToObservers(guid, Record(APINotifyElement_Delete, removed));
    notifier.Deliver();
    RefreshLastStep(host_);
    return true;
}

namespace {

bool Replay(Host& host, bool undoing, std::string* problem)
{
    ActionState& state = Actions(host);
    state.last.clear();
    auto& from = undoing ? state.undo : state.redo;
    auto& to = undoing ? state.redo : state.undo;
    if (from.empty())
        return Fail(problem, undoing ? "there is nothing to undo" : "there is nothing to redo");
    UndoStep step = std::move(from.back());
    from.pop_back();
    ApplyStates(host, step, undoing);
    host.GetTranscript().Record(undoing ? "undo" : "redo", {{"step", step.name}});
    Notifier notifier(host);
    for (const auto& change : step.changes) {
        const bool created = !change.before;
        const bool deleted = !change.after;
        API_ElementDBEventID kind;
        if (undoing)
            kind = created ? APINotifyElement_Undo_Created : deleted ? APINotifyElement_Undo_Deleted
                                                                     : APINotifyElement_Undo_Modified;
        else
            kind = created ? APINotifyElement_Redo_Created : deleted ? APINotifyElement_Redo_Deleted
                                                                     : APINotifyElement_Redo_Modified;
        const Element& shown = change.after ? *change.after : *change.before;
        notifier.ToObservers(change.guid, Record(kind, shown));
    }
    to.push_back(std::move(step));
    notifier.Deliver();
    return true;
}

}  // namespace

bool ElementActions::Undo(std::string* problem) { return Replay(host_, true, problem); }
bool ElementActions::Redo(std::string* problem) { return Replay(host_, false, problem); }

}  // namespace Sim
