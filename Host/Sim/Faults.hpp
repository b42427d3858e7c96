// Fault injection: make a host function fail with a chosen error code, by its name
// (for example "ACAPI_MenuItem_RegisterMenu"), for the next N calls or from its Kth call on.
// Every call through the function table is also counted here.
#pragma once

#include "Definitions.hpp"

#include <map>
#include <string>

namespace Sim {

class Faults {
public:
    // The next `times` calls of `function` answer `code`.
    void FailNext(const std::string& function, GSErrCode code, int times = 1);
    // Calls number `fromCall` (1-based, counted from now on) and later answer `code`.
    void FailFrom(const std::string& function, GSErrCode code, int fromCall);
    void Clear();

    // Called on every host function call: counts it and tells whether it is to fail, and with which code.
    GSErrCode OnCall(const std::string& function);

    long CallCount(const std::string& function) const;
    const std::map<std::string, long>& CallCounts() const { return counts_; }
    void ResetCounts() { counts_.clear(); }

private:
    struct Rule {
        GSErrCode code = 0;
        int remaining = 0;    // FailNext: calls still to fail
        int fromCall = 0;     // FailFrom: first failing call, counted from when the rule was set
        int seen = 0;
    };
    std::map<std::string, Rule> rules_;
    std::map<std::string, long> counts_;
};

}  // namespace Sim
