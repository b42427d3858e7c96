// What the user does to the model: place, copy, change, edit (move), delete an element, set its IFC name,
// change one of its property values or its classification, undo and redo. Each action changes the project
// and raises the element notifications the host raises for it, to the handlers the add-on installed:
//   place          new-element handler: 1 (created), no parent
//   copy           new-element handler: 1 (created as a copy, the original its parent);
//                  observers of the original: 2 (copied, the original its parent)
//   change         observers: 3 (changed, no parent: the element keeps its GUID). A wall, slab or
//                  roof given another composite or building material raises just this notification.
//   setIfcName     observers: 3, as any other change of the element's settings
//   edit           observers: 4 (edited in place)
//   delete         observers: 5; the element is gone before the notification (reads answer APIERR_DELETED)
//   property value observers: 17;  classification: observers: 18
//   undo / redo    the last step of the undo history (UndoHistory.hpp), a user action's or an add-on's
//                  undoable command's; observers of each element of the step: 11/12/13 (undone
//                  created/modified/deleted), 14/15/16 (redone ...)
// An action's notifications form one series: each handler that receives any gets a begin (-1) first and an
// end (-2) last, both carrying the floor plan's database. Every delivery runs inside a NotificationScope and
// is recorded in the transcript as "notification" {handler, notifID, type, guid, parentGuid, database,
// result}, parentGuid being the parent ACAPI_Notification_GetParentElement answers. Each action is one step
// of the undo history, together with what the add-ons write while they are told of it.
#pragma once

#include "Host.hpp"
#include "Model/JsonReader.hpp"

#include <string>
#include <vector>

namespace Sim {

struct DeliveredNotification {
    std::string handler;  // "newElement" or "observer"
    API_NotifyElementType record;
    API_Guid parent;      // the original of a copy, null otherwise
    GSErrCode result = NoError;
};

class ElementActions {
public:
    explicit ElementActions(Host& host) : host_(host) {}

    // Each answers false with the reason in `problem` when the user could not do it; the project is then
    // unchanged and nothing is raised.
    // `element` as the project file holds one; without "guid" the host gives it a new one.
    bool Place(const Json::Value& element, API_Guid* placed, std::string* problem);
    bool Place(Model::Element element, API_Guid* placed, std::string* problem);
    bool Copy(const API_Guid& original, API_Guid* copy, std::string* problem);
    // `fields`: members of the element's kind as the project file names them.
    bool Change(const API_Guid& guid, const Json::Value& fields, std::string* problem);
    bool Edit(const API_Guid& guid, const Model::Point3& offset, std::string* problem);
    bool Delete(const API_Guid& guid, std::string* problem);
    bool SetIfcName(const API_Guid& guid, const std::string& name, std::string* problem);
    bool SetPropertyValue(const API_Guid& guid, const API_Guid& definition, const std::string& value,
                          std::string* problem);
    bool SetClassification(const API_Guid& guid, const API_Guid& system, const API_Guid& item, std::string* problem);
    bool Undo(std::string* problem);
    bool Redo(std::string* problem);

    // What the last action delivered, in order.
    const std::vector<DeliveredNotification>& LastNotifications() const;

private:
    Host& host_;
};

}  // namespace Sim
