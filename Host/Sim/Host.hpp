// The simulated Archicad 27: one instance per process, reset between tests. It owns the function table
// handed to the add-on and everything the host's functions act on.
#pragma once

#include "Clock.hpp"
#include "Faults.hpp"
#include "FunctionTable.hpp"
#include "GuidGenerator.hpp"
#include "Model/Project.hpp"
#include "Registry.hpp"
#include "Resources.hpp"
#include "SpecialFolders.hpp"
#include "Transcript.hpp"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Sim {

struct HostOptions {
    std::string language = "INT";
    UInt64 seed = 1;
    std::string home;        // root of the special folders; empty: a fresh temporary folder
    bool echoDebug = false;  // also write the debug output to stderr
    // How the bulk import settings dialog is answered: "library", "model", "cancel"; empty: accepted as it is.
    std::string dialogChoice;
    // The user cancels the process window at its Nth cancel check; 0: never.
    Int32 cancelProcessAt = 0;
};

class Host {
public:
    explicit Host(HostOptions options);
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    const HostOptions& Options() const { return options_; }
    // A script may change its mind about how the user answers later: as the options do, from now on.
    void SetDialogChoice(const std::string& choice) { options_.dialogChoice = choice; }
    void SetCancelProcessAt(Int32 check) { options_.cancelProcessAt = check; }
    const FunctionTable& Table() const { return table_; }
    Faults& GetFaults() { return faults_; }
    Transcript& GetTranscript() { return transcript_; }
    GuidGenerator& Guids() { return guids_; }
    Clock& GetClock() { return clock_; }
    Registry& GetRegistry() { return registry_; }

    // The open project. Replaced whole when a project file is opened.
    Project& GetProject() { return project_; }
    const Project& GetProject() const { return project_; }
    // A GUID for something new in the project: the next of the seeded generator that the project does not
    // use yet (a project saved by a run with the same seed already holds the first ones).
    API_Guid NewProjectGuid();

    SpecialFolders& GetSpecialFolders() { return specialFolders_; }

    // Debug output (DBPrintf): kept whole, recorded in the transcript line by line.
    void DebugOutput(const std::string& text);
    const std::string& DebugText() const { return debugText_; }
    // Forgets the debug output so far, for a host that outlives many runs of the module.
    void ClearDebugText();
    // With a window of N bytes (0: none, the default), only the last N to 2N bytes of the debug output are
    // kept, and its lines go to the transcript only until N bytes were recorded since the last clear: a
    // host that runs for long (serve) holds no more whatever the module prints.
    void SetDebugWindow(std::size_t bytes) { debugWindow_ = bytes; }

    // Alerts: answered by the scripted button texts in order; with none left, the first button.
    void QueueAlertAnswer(const std::string& buttonText) { alertAnswers_.push_back(buttonText); }
    Int32 ShowAlert(const std::string& type, const std::string& largeText, const std::string& smallText,
                    const std::string& button1, const std::string& button2, const std::string& button3,
                    const std::string& title = std::string());
    std::function<void(const std::string&)> onUnansweredAlert;  // told when the first button is pressed by default

    // What the user does in the host.
    GSErrCode SelectMenu(short menuResID, Int32 itemIndex);
    GSErrCode SendPaletteMessage(Int32 referenceID, API_PaletteMessageID message, bool* result = nullptr);
    GSErrCode RaiseProjectEvent(API_NotifyEventID event, Int32 param = 0);

    // Resource modules: the loaded add-on's resources, read by the class library's resource functions.
    GSResModule AddResourceModule(ResourceSet resources);
    const ResourceSet* ResourceModule(GSResModule module) const;
    void SetAddOnResModule(GSResModule module) { addOnResModule_ = module; }
    GSResModule AddOnResModule() const { return addOnResModule_; }

    // Per-family state: each family keeps its state here under its own key, created on first use.
    template <typename State>
    State& FamilyState()
    {
        for (auto& holder : familyStates_)
            if (auto* state = dynamic_cast<Holder<State>*>(holder.get()))
                return state->value;
        familyStates_.push_back(std::make_unique<Holder<State>>());
        return static_cast<Holder<State>*>(familyStates_.back().get())->value;
    }

private:
    struct HolderBase {
        virtual ~HolderBase() = default;
    };
    template <typename State>
    struct Holder : HolderBase {
        State value;
    };

    HostOptions options_;
    FunctionTable table_;
    Faults faults_;
    Transcript transcript_;
    GuidGenerator guids_;
    Clock clock_;
    Registry registry_;
    Project project_;
    SpecialFolders specialFolders_;
    std::string debugText_;
    std::size_t debugWindow_ = 0;
    std::size_t debugRecorded_ = 0;
    std::string pendingDebugLine_;
    std::deque<std::string> alertAnswers_;
    std::vector<ResourceSet> resourceModules_;
    GSResModule addOnResModule_ = 0;
    std::vector<std::unique_ptr<HolderBase>> familyStates_;
};

// The current host of this process. Creating a Host makes it current; destroying it clears it.
Host& TheHost();
bool HasHost();

// Families of host functions register themselves here; every new Host binds them all into its table.
using FamilyBinder = void (*)(FunctionTable& table);
struct FamilyRegistration {
    FamilyRegistration(const char* name, FamilyBinder binder);
};

}  // namespace Sim

#define SIM_FAMILY(Name)                                                                                   \
    static void Bind##Name##Family(::Sim::FunctionTable& table);                                          \
    static const ::Sim::FamilyRegistration registration##Name##Family(#Name, &Bind##Name##Family);        \
    static void Bind##Name##Family(::Sim::FunctionTable& table)
