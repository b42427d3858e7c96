// What the library downloads of one bulk run may take together, and how a download in progress is
// stopped. Without a run, each download has the platform's own ceilings; within one, every download
// also draws on one shared deadline and one shared byte ceiling, so a list of stalling or trickling
// products cannot hold the host once per product.
#pragma once

#include "Platform/Network.hpp"

#include <chrono>
#include <string>

namespace QRV {

class DownloadBudget {
public:
    struct Ceilings {
        UInt64 maxBytes = 512ull * 1024u * 1024u;
        UInt32 maxSeconds = 600;
        // A download lasting longer than this shows the host's process window, whose cancel stops it.
        UInt32 windowAfterMilliseconds = 1000;
    };
    static Ceilings GetCeilings();
    // For tests, which cannot wait ten minutes; every run reads the ceilings set here.
    static void SetCeilings(const Ceilings& ceilings);

    // The shared budget of a bulk run, for the scope's lifetime; a scope inside another shares the outer
    // one's budget.
    class RunScope {
    public:
        RunScope();
        ~RunScope();
        RunScope(const RunScope&) = delete;
        RunScope& operator=(const RunScope&) = delete;

    private:
        bool outermost_;
    };

    // The rules of the next download: the platform's, narrowed to what the run has left. False, with
    // `why`, when the run's downloads have used up their time or bytes.
    static bool RulesForNext(Platform::DownloadRules& rules, std::string& why);
    // A finished download of `bytes` bytes, counted against the run.
    static void Spent(UInt64 bytes);
};

}  // namespace QRV
