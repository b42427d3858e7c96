#include "NotificationScope.hpp"

#include "Host.hpp"

#include <vector>

namespace Sim {
namespace {

struct NotificationDepth {
    std::vector<API_Guid> parents;  // one per delivery in progress, innermost last
};

struct ProjectEventDepth {
    int deliveries = 0;
};

}  // namespace

NotificationScope::NotificationScope() : NotificationScope(APINULLGuid) {}

NotificationScope::NotificationScope(const API_Guid& parent)
{
    if (HasHost())
        TheHost().FamilyState<NotificationDepth>().parents.push_back(parent);
}

NotificationScope::~NotificationScope()
{
    if (HasHost() && !TheHost().FamilyState<NotificationDepth>().parents.empty())
        TheHost().FamilyState<NotificationDepth>().parents.pop_back();
}

bool NotificationScope::Active() { return HasHost() && !TheHost().FamilyState<NotificationDepth>().parents.empty(); }

API_Guid NotificationScope::Parent()
{
    if (!Active())
        return APINULLGuid;
    return TheHost().FamilyState<NotificationDepth>().parents.back();
}

ProjectEventScope::ProjectEventScope()
{
    if (HasHost())
        ++TheHost().FamilyState<ProjectEventDepth>().deliveries;
}

ProjectEventScope::~ProjectEventScope()
{
    if (HasHost() && TheHost().FamilyState<ProjectEventDepth>().deliveries > 0)
        --TheHost().FamilyState<ProjectEventDepth>().deliveries;
}

bool ProjectEventScope::Active() { return HasHost() && TheHost().FamilyState<ProjectEventDepth>().deliveries > 0; }

}  // namespace Sim
