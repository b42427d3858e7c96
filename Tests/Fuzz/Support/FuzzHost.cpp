#include "FuzzHost.hpp"

#include "Support/InProcessModule.hpp"
#include "Support/UiSupport.hpp"

#include "BulkImport/BulkImportProgressManager.hpp"
#include "Support/ModuleState.hpp"
#include "Model/ProjectFile.hpp"
#include "ProjectWriter/ACLink.hpp"
#include "ProjectWriter/ElementLists.hpp"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace QRVFuzz {

namespace fs = std::filesystem;

namespace {

// Kept apart from Sandbox()'s own static, which may be gone by the time exit handlers run.
const std::string* sandboxToRemove = nullptr;

void RemoveSandbox()
{
    std::error_code ignored;
    if (sandboxToRemove != nullptr)
        fs::remove_all(*sandboxToRemove, ignored);
}

const Sim::Project& SampleProject()
{
    static const Sim::Project project = Sim::ProjectFile::Load(std::string(CORVANA_SOURCE_DIR) + "/Examples/House.json");
    return project;
}

// What a run of the module leaves in its module-wide objects, given back while the host still exists.
void ClearModuleWideState()
{
    QRV::BulkImportProgressManager& manager = QRV::BulkImportProgressManager::GetInstance();
    if (QRV::BulkImportProgressDlg* palette = manager.FindPalette())
        manager.PaletteDisposed(palette);
    QRV::ClearElementLists();
    QRV::MaterialsCreatedInBulkRun().clear();
    QRV::SetBulkImportScope(QRV::BulkImportScope::LibraryOnly);
    QRV::SetBulkImportAborted(false);
}

}  // namespace

const fs::path& Sandbox()
{
    static const fs::path sandbox = [] {
        std::string pattern = (fs::temp_directory_path() / "corvana-fuzz-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        fs::path made(buffer.data());
        fs::create_directories(made / "home");
        fs::current_path(made);
        sandboxToRemove = new std::string(made.string());
        std::atexit(&RemoveSandbox);
        return made;
    }();
    return sandbox;
}

FuzzHost::FuzzHost()
{
    Sim::HostOptions options;
    options.home = (Sandbox() / "home").string();
    host_ = std::make_unique<Sim::Host>(options);
    host_->GetClock().SetSkipSleep(true);  // the pause at the end of a bulk import would slow every run
    host_->GetTranscript().SetRecording(false);  // nothing reads it, and recording was a good part of each run
    module_ = Sim::AddOnModule::FromBinding(Sim::AddOnBinding{&GetExportedFuncAddrs, &SetImportedFuncAddrs},
                                            CORVANA_RESOURCE_DIR);
    Sim::StartResult started = module_->Start(*host_);
    if (!started.Ok()) {
        std::fprintf(stderr, "the module did not start: %s error %d\n", started.failedStep.c_str(), static_cast<int>(started.error));
        std::abort();
    }
    if (host_->SelectMenu(32200, 1) != NoError) {  // the catalogue palette, whose page holds the script object
        std::fprintf(stderr, "the catalogue palette did not open\n");
        std::abort();
    }
    invariants_ = std::make_unique<QRVTest::CallInvariants>(*host_, std::vector<fs::path>{Sandbox()},
                                                            std::vector<fs::path>{Sandbox() / "log.txt"});
}

FuzzHost& FuzzHost::Fresh()
{
    static FuzzHost* world = new FuzzHost();  // never destroyed: the module's palettes refer to its host
    if (!world->restored_)
        world->Reset();
    world->restored_ = false;
    return *world;
}

void FuzzHost::Restore()
{
    Reset();
    restored_ = true;
}

void FuzzHost::Reset()
{
    ClearModuleWideState();
    host_->GetProject() = SampleProject();
    // The host lives for the whole run: keep its records and its debug output from piling up.
    host_->GetTranscript().Clear();
    host_->ClearDebugText();
}

// The sandbox is the process's own: between two inputs nothing but the module writes into it, and a
// violation ends the run, so each check's view of its files holds for the next input.
void FuzzHost::BeginFromFresh() { invariants_->BeginAgainFrom(SampleProject()); }

Sim::JsCallResult FuzzHost::CallPage(const std::string& function, const std::string& text)
{
    return QRVTest::Ui(*host_).CallJsFunction("jsCorvanaInterface", function, QRVTest::JsText(text));
}

void FuzzHost::Verify(const QRVTest::CallOutcome& outcome, const char* what)
{
    const std::vector<std::string> violations = invariants_->Violations(outcome);
    if (violations.empty())
        return;
    std::fprintf(stderr, "%s broke an invariant: %s\n", what, QRVTest::CallInvariants::Describe(violations).c_str());
    std::abort();
}

bool IsErrorReply(const Sim::JsCallResult& result)
{
    return QRVTest::ReplyText(result).find("\"IsError\":true") != std::string::npos;
}

std::string ReplyText(const Sim::JsCallResult& result) { return QRVTest::ReplyText(result); }

}  // namespace QRVFuzz
