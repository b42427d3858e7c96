#include "CallInvariants.hpp"

#include "Model/ProjectFile.hpp"

#include <algorithm>
#include <system_error>

namespace QRVTest {

namespace fs = std::filesystem;

namespace {

fs::path Normal(const fs::path& path)
{
    std::error_code error;
    fs::path absolute = fs::weakly_canonical(path, error);
    return error ? path.lexically_normal() : absolute;
}

bool IsWithin(const fs::path& path, const fs::path& folder)
{
    auto [end, ignored] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return end == folder.end();
}

}  // namespace

FileTreeSnapshot::FileTreeSnapshot(std::vector<fs::path> roots, std::vector<fs::path> allowed)
{
    for (const auto& root : roots)
        roots_.push_back(Normal(root));
    for (const auto& path : allowed)
        allowed_.push_back(Normal(path));
}

bool FileTreeSnapshot::IsAllowed(const fs::path& path) const
{
    return std::any_of(allowed_.begin(), allowed_.end(),
                       [&](const fs::path& allowed) { return IsWithin(path, allowed); });
}

std::map<fs::path, FileTreeSnapshot::FileState> FileTreeSnapshot::Scan() const
{
    std::map<fs::path, FileState> files;
    for (const auto& root : roots_) {
        std::error_code error;
        fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error);
        for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            const fs::path path = it->path();
            if (IsAllowed(path)) {
                if (it->is_directory(error))
                    it.disable_recursion_pending();
                continue;
            }
            std::error_code statError;
            if (!it->is_regular_file(statError))
                continue;
            FileState state;
            state.size = it->file_size(statError);
            state.changed = it->last_write_time(statError);
            files[path] = state;
        }
    }
    return files;
}

void FileTreeSnapshot::Take()
{
    files_ = Scan();
    lastCheckFoundNoChange_ = false;
}

void FileTreeSnapshot::TakeAgain()
{
    if (!lastCheckFoundNoChange_)
        Take();
}

std::vector<std::string> FileTreeSnapshot::ChangesSince() const
{
    std::vector<std::string> changes;
    const auto now = Scan();
    for (const auto& [path, state] : now) {
        auto before = files_.find(path);
        if (before == files_.end())
            changes.push_back("file written outside the add-on's folders: " + path.string());
        else if (!(before->second == state))
            changes.push_back("file changed outside the add-on's folders: " + path.string());
    }
    for (const auto& [path, state] : files_)
        if (now.find(path) == now.end())
            changes.push_back("file removed outside the add-on's folders: " + path.string());
    lastCheckFoundNoChange_ = changes.empty();
    return changes;
}

CallOutcome CallOutcome::FromPageCall(const Sim::JsCallResult& result, bool failed, bool isImport)
{
    CallOutcome outcome;
    outcome.failed = failed;
    outcome.isImport = isImport;
    if (result.problem.rfind("exception escaped", 0) == 0)
        outcome.escaped = result.problem;
    return outcome;
}

bool HasLogFailureLine(const std::string& debugText, std::size_t from)
{
    if (from > debugText.size())
        return false;
    return debugText.find("[Error]", from) != std::string::npos ||
           debugText.find("[Warning]", from) != std::string::npos;
}

CallInvariants::CallInvariants(Sim::Host& host, std::vector<fs::path> roots, std::vector<fs::path> allowedFiles)
    : host_(host), files_(std::move(roots), [&] {
          allowedFiles.push_back(host.GetSpecialFolders().Home());
          return allowedFiles;
      }())
{
}

void CallInvariants::Begin()
{
    projectBefore_ = host_.GetProject();
    BeginFrom(projectBefore_);
}

void CallInvariants::BeginFrom(const Sim::Project& projectNow)
{
    before_ = &projectNow;
    debugBefore_ = host_.DebugText().size();
    files_.Take();
}

void CallInvariants::BeginAgainFrom(const Sim::Project& projectNow)
{
    before_ = &projectNow;
    debugBefore_ = host_.DebugText().size();
    files_.TakeAgain();
}

std::vector<std::string> CallInvariants::Violations(const CallOutcome& outcome) const
{
    std::vector<std::string> violations;
    if (!outcome.escaped.empty())
        violations.push_back("an exception left the module: " + outcome.escaped);
    // The saved texts decide; they are written only when the records differ (a NaN, say, is unequal to
    // itself and still saves as the same text).
    if (outcome.failed && outcome.isImport && host_.GetProject() != *before_ &&
        Sim::ProjectFile::ToText(host_.GetProject()) != ProjectTextBefore())
        violations.push_back("a failed import changed the project");
    if ((outcome.failed || !outcome.escaped.empty()) && !HasLogFailureLine(host_.DebugText(), debugBefore_))
        violations.push_back("a failure left no line in the log");
    for (auto& change : files_.ChangesSince())
        violations.push_back(std::move(change));
    return violations;
}

std::string CallInvariants::ProjectTextBefore() const { return Sim::ProjectFile::ToText(*before_); }

std::string CallInvariants::Describe(const std::vector<std::string>& violations)
{
    std::string text;
    for (const auto& violation : violations)
        text += (text.empty() ? "" : "; ") + violation;
    return text;
}

}  // namespace QRVTest
