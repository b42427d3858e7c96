// While the host delivers an element notification, the add-on runs inside the undo step of the user's
// operation that raised it: what the add-on writes then belongs to that step and needs no undoable command
// of its own. Every delivery holds a NotificationScope; host functions that otherwise insist on an undo
// scope ask NotificationScope::Active().
#pragma once

namespace Sim {

class NotificationScope {
public:
    NotificationScope();
    ~NotificationScope();
    NotificationScope(const NotificationScope&) = delete;
    NotificationScope& operator=(const NotificationScope&) = delete;

    // Whether the current host is delivering a notification (false when there is no host).
    static bool Active();
};

}  // namespace Sim
