#include "Faults.hpp"

namespace Sim {

void Faults::FailNext(const std::string& function, GSErrCode code, int times)
{
    rules_[function] = Rule{code, times, 0, 0};
}

void Faults::FailFrom(const std::string& function, GSErrCode code, int fromCall)
{
    rules_[function] = Rule{code, 0, fromCall < 1 ? 1 : fromCall, 0};
}

void Faults::Clear() { rules_.clear(); }

GSErrCode Faults::OnCall(const std::string& function)
{
    ++counts_[function];
    auto it = rules_.find(function);
    if (it == rules_.end())
        return NoError;
    Rule& rule = it->second;
    ++rule.seen;
    if (rule.fromCall > 0)
        return rule.seen >= rule.fromCall ? rule.code : NoError;
    if (rule.remaining > 0) {
        --rule.remaining;
        return rule.code;
    }
    return NoError;
}

long Faults::CallCount(const std::string& function) const
{
    auto it = counts_.find(function);
    return it == counts_.end() ? 0 : it->second;
}

}  // namespace Sim
