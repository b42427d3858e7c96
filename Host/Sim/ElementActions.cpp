#include "ElementActions.hpp"

#include "Model/ElementJson.hpp"
#include "ModelState.hpp"
#include "NotificationScope.hpp"
#include "SimUtf8.hpp"
#include "UndoHistory.hpp"

#include <cstring>
#include <optional>

namespace Sim {
namespace {

using Model::Element;

std::string GuidText(const API_Guid& guid)
{
    return guid == APINULLGuid ? std::string() : Sim::Utf8(APIGuidToString(guid));
}

struct PendingNotification {
    bool toNewElementHandler = false;  // else to the element observer
    API_NotifyElementType record;
    API_Guid parent;  // what ACAPI_Notification_GetParentElement answers during the delivery
};

struct ActionState {
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

// A user action is one step of the undo history, which also holds what add-ons write while they are told
// of it (stamped properties, user data): undo takes both back, redo brings both again.
class ActionStep {
public:
    ActionStep(Host& host, const char* action) : history_(TheUndoHistory(host)) { history_.Open(action); }
    ~ActionStep() { history_.Close(); }
    ActionStep(const ActionStep&) = delete;
    ActionStep& operator=(const ActionStep&) = delete;

private:
    UndoHistory& history_;
};

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
    const ActionStep step(host, action);
    TheUndoHistory(host).WillChangeElement(host.GetProject(), guid);
    *element = changed;
    RecordAction(host, action, guid);
    Notifier notifier(host);
    notifier.ToObservers(guid, Record(kind, changed));
    notifier.Deliver();
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
    const ActionStep step(host_, "place");
    TheUndoHistory(host_).WillChangeElement(project, element.guid);
    const Element& added = project.elements.Add(std::move(element));
    TheModelState(host_).deleted.erase(added.guid);
    if (placed != nullptr)
        *placed = added.guid;
    RecordAction(host_, "place", added.guid);
    Notifier notifier(host_);
    notifier.ToNewElementHandler(Record(APINotifyElement_New, added));
    notifier.Deliver();
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
    const ActionStep step(host_, "copy");
    TheUndoHistory(host_).WillChangeElement(project, duplicate.guid);
    const Element& added = project.elements.Add(std::move(duplicate));
    if (copy != nullptr)
        *copy = added.guid;
    RecordAction(host_, "copy", added.guid);
    Notifier notifier(host_);
    notifier.ToNewElementHandler(Record(APINotifyElement_New, added), original);
    notifier.ToObservers(original, Record(APINotifyElement_Copy, added), original);
    notifier.Deliver();
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
    const API_NotifyElementType record = Record(APINotifyElement_Delete, *element);
    const ActionStep step(host_, "delete");
    TheUndoHistory(host_).WillChangeElement(project, guid);
    project.elements.Remove(guid);
    TheModelState(host_).deleted.insert(guid);
    RecordAction(host_, "delete", guid);
    Notifier notifier(host_);
    notifier.ToObservers(guid, record);
    notifier.Deliver();
    return true;
}

namespace {

API_ElementDBEventID ReplayKind(ElementReplay::Kind kind, bool undoing)
{
    switch (kind) {
        case ElementReplay::Kind::Created:
            return undoing ? APINotifyElement_Undo_Created : APINotifyElement_Redo_Created;
        case ElementReplay::Kind::Deleted:
            return undoing ? APINotifyElement_Undo_Deleted : APINotifyElement_Redo_Deleted;
        case ElementReplay::Kind::Modified: break;
    }
    return undoing ? APINotifyElement_Undo_Modified : APINotifyElement_Redo_Modified;
}

// Undo and redo take back or make again the last step, whoever made it: a user action or an add-on's
// undoable command.
bool Replay(Host& host, bool undoing, std::string* problem)
{
    Actions(host).last.clear();
    UndoHistory& history = TheUndoHistory(host);
    std::vector<ElementReplay> elements;
    const std::optional<std::string> name =
        undoing ? history.Undo(host.GetProject(), &elements) : history.Redo(host.GetProject(), &elements);
    if (!name)
        return Fail(problem, undoing ? "there is nothing to undo" : "there is nothing to redo");
    host.GetTranscript().Record(undoing ? "undo" : "redo", {{"step", *name}});
    auto& deleted = TheModelState(host).deleted;
    Notifier notifier(host);
    for (const auto& replay : elements) {
        if (replay.present)
            deleted.erase(replay.guid);
        else
            deleted.insert(replay.guid);
        API_NotifyElementType record;
        std::memset(&record, 0, sizeof record);
        record.notifID = ReplayKind(replay.kind, undoing);
        record.elemHead.type = replay.type;
        record.elemHead.guid = replay.guid;
        notifier.ToObservers(replay.guid, record);
    }
    notifier.Deliver();
    return true;
}

}  // namespace

bool ElementActions::Undo(std::string* problem) { return Replay(host_, true, problem); }
bool ElementActions::Redo(std::string* problem) { return Replay(host_, false, problem); }

}  // namespace Sim
