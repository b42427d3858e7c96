#include "NotificationScope.hpp"

#include "Host.hpp"

namespace Sim {
namespace {

struct NotificationDepth {
    int depth = 0;
};

}  // namespace

NotificationScope::NotificationScope()
{
    if (HasHost())
        ++TheHost().FamilyState<NotificationDepth>().depth;
}

NotificationScope::~NotificationScope()
{
    if (HasHost())
        --TheHost().FamilyState<NotificationDepth>().depth;
}

bool NotificationScope::Active() { return HasHost() && TheHost().FamilyState<NotificationDepth>().depth > 0; }

}  // namespace Sim
