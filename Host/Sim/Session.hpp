// A whole run of the simulated host as corvana-host makes one: the host with its options, the project
// (opened from a file or new), the add-on loaded and started as the host starts it, the catalogue palette
// opened; at the end the project saved when asked, the quit notification, the release entry point and the
// transcript. Tests use it to get a host set up exactly as the command-line host sets it up.
#pragma once

#include "AddOnModule.hpp"
#include "Host.hpp"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Sim {

struct SessionOptions {
    HostOptions host;
    std::string modulePath;                  // the add-on to load
    std::string projectFile;                 // empty: a new project that was never saved
    std::vector<std::string> alertAnswers;   // button texts, used in order
    std::string transcriptFile;              // written as JSON lines when the session ends; empty: none
    // The menu command that opens the catalogue palette once the add-on has started; 0: none.
    short startMenuResID = 32200;
    Int32 startMenuItem = 1;
    // Told when an alert is answered with its first button because no scripted answer was left.
    std::function<void(const std::string&)> onUnansweredAlert;
};

class Session {
public:
    enum class Stage { NotStarted, Running, Failed, Finished };

    explicit Session(SessionOptions options);
    ~Session();  // finishes the session if that was not done
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Opens the project, loads and starts the add-on and opens the catalogue palette. On failure returns
    // false with a message naming what failed (the project file with the place and problem, the entry
    // point with its error code); nothing of the add-on runs after a refused project file.
    bool Start(std::string* error);

    Host& GetHost() { return *host_; }
    AddOnModule* Module() { return module_.get(); }
    const StartResult& ModuleStart() const { return started_; }
    Stage GetStage() const { return stage_; }
    const SessionOptions& Options() const { return options_; }

    // Saves the open project (atomically); false with the message in `error` when it cannot.
    bool SaveProject(const std::string& path, std::string* error);

    // Ends the session: the quit notification and the release entry point (when the add-on started), then
    // the transcript file. Returns false with a message when the transcript cannot be written.
    bool Finish(std::string* error = nullptr);

private:
    bool WriteTranscript(std::string* error);

    SessionOptions options_;
    std::unique_ptr<Host> host_;
    std::unique_ptr<AddOnModule> module_;
    StartResult started_;
    Stage stage_ = Stage::NotStarted;
};

// The folder of the host's shared library, where the build puts the add-on as well.
std::string HostLibraryFolder();

}  // namespace Sim
