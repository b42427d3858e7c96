// What must hold after anything the page, a file or the project makes the module do, whatever the input:
//  - nothing thrown leaves the module;
//  - a failed import leaves the project exactly as it was (its saved text compared before and after);
//  - no file is written or changed outside the add-on's own places (the host's home folder with its
//    special folders, and the log file in the working folder);
//  - every failure leaves a line in the add-on's log ("[Error]" or "[Warning]" in the debug output).
// Used by the fuzz programs after every input and by tests; each check reports its own violation text.
#pragma once

#include "Host.hpp"
#include "UserInterface.hpp"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace QRVTest {

// Every regular file under some folders, with its size and time of last change.
class FileTreeSnapshot {
public:
    // `allowed`: folders and files whose changes are fine; they and their contents are left out.
    FileTreeSnapshot(std::vector<std::filesystem::path> roots, std::vector<std::filesystem::path> allowed);
    void Take();
    // Take() for a tree that nothing has touched since ChangesSince() last found it unchanged: the files
    // then are the files now, so the folders are not read again. Reading them was a tenth of a fuzz run.
    void TakeAgain();
    // Files added, changed or removed since Take(), one text each.
    std::vector<std::string> ChangesSince() const;

private:
    struct FileState {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type changed;
        bool operator==(const FileState& other) const { return size == other.size && changed == other.changed; }
    };
    std::map<std::filesystem::path, FileState> Scan() const;
    bool IsAllowed(const std::filesystem::path& path) const;

    std::vector<std::filesystem::path> roots_;
    std::vector<std::filesystem::path> allowed_;
    std::map<std::filesystem::path, FileState> files_;
    mutable bool lastCheckFoundNoChange_ = false;  // a check reads the tree; it does not change what Take() saw
};

// How one call into the module ended, as the caller saw it.
struct CallOutcome {
    bool failed = false;   // the module reported a failure (an error object, a refused file, ...)
    bool isImport = false; // the call was an import: a failure must leave the project unchanged
    std::string escaped;   // what was thrown out of the module; empty when nothing was

    // From a page call: `failed` as the caller decides from the reply; an exception the simulated browser
    // caught on the way out counts as escaped.
    static CallOutcome FromPageCall(const Sim::JsCallResult& result, bool failed, bool isImport);
};

class CallInvariants {
public:
    // `roots`: the folders watched for stray files; the host's home folder and `allowedFiles` are allowed.
    CallInvariants(Sim::Host& host, std::vector<std::filesystem::path> roots,
                   std::vector<std::filesystem::path> allowedFiles = {});
    CallInvariants(const CallInvariants&) = delete;
    CallInvariants& operator=(const CallInvariants&) = delete;

    // Remembers the project, the end of the debug output and the watched files.
    void Begin();
    // The same for a host whose project is known to equal `projectNow`, which outlives the check: it is
    // compared with, not copied.
    void BeginFrom(const Sim::Project& projectNow);
    // BeginFrom for a check that follows one that found every invariant holding, with nothing but the
    // module touching the watched folders in between.
    void BeginAgainFrom(const Sim::Project& projectNow);
    // Every invariant the outcome breaks, one text each; empty when all hold.
    std::vector<std::string> Violations(const CallOutcome& outcome) const;
    static std::string Describe(const std::vector<std::string>& violations);

    std::string ProjectTextBefore() const;

private:
    Sim::Host& host_;
    FileTreeSnapshot files_;
    // Kept as the project itself: comparing records costs a fraction of writing both as text, which the
    // fuzz programs would otherwise do twice for every input.
    Sim::Project projectBefore_;
    const Sim::Project* before_ = &projectBefore_;
    std::size_t debugBefore_ = 0;
};

// True when the debug output from `from` on holds a log line of an error or a warning.
bool HasLogFailureLine(const std::string& debugText, std::size_t from);

}  // namespace QRVTest
