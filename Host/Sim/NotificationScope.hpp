// While the host delivers an element notification, the add-on runs inside the undo step of the user's
// operation that raised it: what the add-on writes then belongs to that step and needs no undoable command
// of its own. Every delivery holds a NotificationScope; host functions that otherwise insist on an undo
// scope ask NotificationScope::Active().
//
// A delivery about an element derived from another one (a copy) also names that parent, which
// ACAPI_Notification_GetParentElement answers while the delivery lasts.
#pragma once

#include "API_Guid.hpp"

namespace Sim {

class NotificationScope {
public:
    NotificationScope();
    explicit NotificationScope(const API_Guid& parent);
    ~NotificationScope();
    NotificationScope(const NotificationScope&) = delete;
    NotificationScope& operator=(const NotificationScope&) = delete;

    // Whether the current host is delivering a notification (false when there is no host).
    static bool Active();
    // The parent of the element of the innermost delivery; null when it has none or none is delivered.
    static API_Guid Parent();
};

// While the host tells an add-on of a project event (new, open, save, quit ...), the add-on runs at
// notification level too, but in no undo step: the host's complete operations are refused there.
class ProjectEventScope {
public:
    ProjectEventScope();
    ~ProjectEventScope();
    ProjectEventScope(const ProjectEventScope&) = delete;
    ProjectEventScope& operator=(const ProjectEventScope&) = delete;

    static bool Active();
};

}  // namespace Sim
