#include "Session.hpp"

#include "ErrorNames.hpp"
#include "Model/ProjectFile.hpp"
#include "SimUtf8.hpp"
#include "System/SharedLibrary.hpp"

#include <filesystem>
#include <fstream>

namespace Sim {

std::string HostLibraryFolder() { return System::ThisLibraryFolder(); }

Session::Session(SessionOptions options) : options_(std::move(options))
{
    host_ = std::make_unique<Host>(options_.host);
}

Session::~Session()
{
    if (stage_ != Stage::Finished)
        Finish(nullptr);
}

bool Session::Start(std::string* error)
{
    auto fail = [this, error](const std::string& message) {
        stage_ = Stage::Failed;
        host_->GetTranscript().Record("error", {{"text", message}});
        if (error != nullptr)
            *error = message;
        return false;
    };
    if (stage_ != Stage::NotStarted)
        return fail("the session was started already");

    for (const auto& answer : options_.alertAnswers)
        host_->QueueAlertAnswer(answer);
    host_->onUnansweredAlert = options_.onUnansweredAlert;

    // The special folders exist from the start, so that a person finds them under the home folder.
    for (Int32 id : {SpecialFolders::Documents, SpecialFolders::Temporary, SpecialFolders::Programs}) {
        std::string problem;
        if (host_->GetSpecialFolders().Path(id, &problem).empty())
            return fail("the special folders cannot be made: " + problem);
    }

    // The project file is read first, so that a refused file stops the run before any add-on code runs.
    if (!options_.projectFile.empty()) {
        std::string problem;
        if (!OpenProjectFile(*host_, options_.projectFile, &problem))
            return fail("the project file is refused: " + problem);
        host_->GetTranscript().Record("project", {{"event", "open"}, {"file", options_.projectFile}});
    }

    std::string loadError;
    module_ = AddOnModule::Load(options_.modulePath, &loadError);
    if (!module_)
        return fail("the add-on cannot be loaded: " + loadError);
    started_ = module_->Start(*host_);
    if (!started_.Ok()) {
        if (started_.failedStep == "resources")
            return fail("the add-on's resources cannot be read (" + options_.modulePath + ")");
        if (started_.failedStep == "bind")
            return fail("the add-on cannot be bound: " + DescribeError(started_.error));
        if (started_.failedStep == "CheckEnvironment")
            return fail("the add-on's environment check refused to run (add-on type " +
                        std::to_string(started_.addonType) + ")");
        return fail("the add-on's " + started_.failedStep + " entry point failed with " +
                    DescribeError(started_.error));
    }

    // The add-on is running when the host opens the project, as with an add-on loaded at start-up.
    host_->RaiseProjectEvent(options_.projectFile.empty() ? APINotify_New : APINotify_Open);

    if (options_.startMenuResID != 0) {
        GSErrCode err = host_->SelectMenu(options_.startMenuResID, options_.startMenuItem);
        if (err != NoError)
            return fail("menu " + std::to_string(options_.startMenuResID) + " item " +
                        std::to_string(options_.startMenuItem) + " (the catalogue palette) failed with " +
                        DescribeError(err));
    }
    stage_ = Stage::Running;
    return true;
}

bool Session::SaveProject(const std::string& path, std::string* error)
{
    if (!SaveProjectFile(*host_, path, error))
        return false;
    host_->GetTranscript().Record("project", {{"event", "save"}, {"file", path}});
    return true;
}

bool Session::Finish(std::string* error)
{
    if (stage_ == Stage::Finished)
        return true;
    if (module_ && started_.Ok() && stage_ != Stage::NotStarted) {
        host_->RaiseProjectEvent(APINotify_Quit);
        GSErrCode err = module_->Release();
        host_->GetTranscript().Record("entry", {{"step", "FreeData"}, {"result", err}});
    }
    // The add-on's static objects may still call the host while it is unloaded.
    module_.reset();
    stage_ = Stage::Finished;
    return WriteTranscript(error);
}

bool Session::WriteTranscript(std::string* error)
{
    if (options_.transcriptFile.empty())
        return true;
    std::ofstream out(PathFromUtf8(options_.transcriptFile), std::ios::binary | std::ios::trunc);
    out << host_->GetTranscript().ToJsonLines();
    out.close();
    if (!out) {
        if (error != nullptr)
            *error = options_.transcriptFile + ": the transcript cannot be written";
        return false;
    }
    return true;
}

}  // namespace Sim
