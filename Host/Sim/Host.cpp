#include "Host.hpp"

#include <algorithm>

#include "HostMessageBoxes.hpp"
#include "NotificationScope.hpp"
#include "Platform/Shell.hpp"
#include "SimUtf8.hpp"

#include <algorithm>
#include <iostream>
#include <stdexcept>

namespace Sim {

namespace {

Host* currentHost = nullptr;

// The host shows the platform's message boxes to no one: each is one transcript event, answered OK.
Int32 RecordMessageBox(const GS::UniString& text, const GS::UniString& caption, UInt32 /*type*/)
{
    if (currentHost != nullptr)
        currentHost->GetTranscript().Record("messageBox", {{"text", Utf8(text)},
                                                          {"caption", Utf8(caption)},
                                                          {"buttons", nlohmann::ordered_json::array({"OK"})},
                                                          {"answer", "OK"}});
    return Platform::MessageBoxIdOk;
}

std::vector<std::pair<const char*, FamilyBinder>>& Families()
{
    static std::vector<std::pair<const char*, FamilyBinder>> families;
    return families;
}

}  // namespace

FamilyRegistration::FamilyRegistration(const char* name, FamilyBinder binder)
{
    Families().emplace_back(name, binder);
}

GSErrCode InterceptCall(ACAPI::Slot slot)
{
    if (currentHost == nullptr)
        return APIERR_GENERAL;
    return currentHost->GetFaults().OnCall(ACAPI::SlotName(slot));
}

Host& TheHost()
{
    if (currentHost == nullptr)
        throw std::logic_error("no simulated host exists");
    return *currentHost;
}

bool HasHost() { return currentHost != nullptr; }

Host::Host(HostOptions options)
    : options_(std::move(options)), guids_(options_.seed), specialFolders_(options_.home)
{
    if (currentHost != nullptr)
        throw std::logic_error("only one simulated host may exist at a time");
    currentHost = this;
    Platform::SetMessageBoxHandler(&RecordMessageBox);
    for (const auto& family : Families())
        family.second(table_);
}

Host::~Host()
{
    Platform::SetMessageBoxHandler(nullptr);
    currentHost = nullptr;
}

API_Guid Host::NewProjectGuid()
{
    API_Guid guid = guids_.Next();
    while (guid == APINULLGuid || project_.ContainsGuid(guid))
        guid = guids_.Next();
    return guid;
}

void Host::DebugOutput(const std::string& text)
{
    debugText_ += text;
    // Trimmed when twice the window, so the copying costs a constant per byte printed.
    if (debugWindow_ != 0 && debugText_.size() > 2 * debugWindow_)
        debugText_.erase(0, debugText_.size() - debugWindow_);
    if (options_.echoDebug)
        std::cerr << text;
    if (!transcript_.IsRecording())
        return;
    pendingDebugLine_ += text;
    std::string::size_type newline;
    while ((newline = pendingDebugLine_.find('\n')) != std::string::npos) {
        if (debugWindow_ == 0) {
            transcript_.RecordDebugLine(pendingDebugLine_.substr(0, newline));
        } else if (debugRecorded_ < debugWindow_) {
            const std::size_t kept = std::min(newline, debugWindow_ - debugRecorded_);
            debugRecorded_ += newline + 1;
            transcript_.RecordDebugLine(pendingDebugLine_.substr(0, kept));
            if (debugRecorded_ >= debugWindow_)
                transcript_.RecordDebugLine("(the debug output goes on past " + std::to_string(debugWindow_) +
                                            " bytes; not recorded)");
        }
        pendingDebugLine_.erase(0, newline + 1);
    }
    // A line that never ends is kept no longer than the window either.
    if (debugWindow_ != 0 && pendingDebugLine_.size() > debugWindow_)
        pendingDebugLine_.erase(debugWindow_);
}

void Host::ClearDebugText()
{
    debugText_.clear();
    pendingDebugLine_.clear();
    debugRecorded_ = 0;
}

Int32 Host::ShowAlert(const std::string& type, const std::string& largeText, const std::string& smallText,
                      const std::string& button1, const std::string& button2, const std::string& button3,
                      const std::string& title)
{
    std::vector<std::string> buttons;
    for (const auto* button : {&button1, &button2, &button3})
        if (!button->empty())
            buttons.push_back(*button);
    Int32 answer = 1;
    if (!alertAnswers_.empty()) {
        const std::string wanted = alertAnswers_.front();
        alertAnswers_.pop_front();
        answer = 0;
        for (size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i] == wanted)
                answer = static_cast<Int32>(i + 1);
        if (answer == 0) {
            // A scripted answer that names no button of this alert is a mistake in the script.
            if (onUnansweredAlert)
                onUnansweredAlert("alert has no button \"" + wanted + "\"; pressed \"" +
                                  (buttons.empty() ? std::string() : buttons[0]) + "\"");
            answer = 1;
        }
    } else if (onUnansweredAlert) {
        onUnansweredAlert("no answer left for alert \"" + (smallText.empty() ? largeText : smallText) +
                          "\"; pressed \"" + (buttons.empty() ? std::string() : buttons[0]) + "\"");
    }
    nlohmann::ordered_json fields = {{"type", type}};
    // Only an alert with a title shows one.
    if (!title.empty())
        fields["title"] = title;
    fields["largeText"] = largeText;
    fields["smallText"] = smallText;
    fields["buttons"] = buttons;
    fields["answer"] = buttons.empty() ? std::string() : buttons[answer - 1];
    transcript_.Record("alert", std::move(fields));
    return answer;
}

GSResModule Host::AddResourceModule(ResourceSet resources)
{
    resourceModules_.push_back(std::move(resources));
    return static_cast<GSResModule>(resourceModules_.size());
}

const ResourceSet* Host::ResourceModule(GSResModule module) const
{
    if (module < 1 || static_cast<size_t>(module) > resourceModules_.size())
        return nullptr;
    return &resourceModules_[static_cast<size_t>(module) - 1];
}

GSErrCode Host::SelectMenu(short menuResID, Int32 itemIndex)
{
    auto it = registry_.menuHandlers.find(menuResID);
    if (it == registry_.menuHandlers.end() || it->second == nullptr)
        return APIERR_BADID;
    API_MenuParams params;
    params.menuItemRef.menuResID = menuResID;
    params.menuItemRef.itemIndex = itemIndex;
    transcript_.Record("menu", {{"menu", menuResID}, {"item", itemIndex}});
    return it->second(&params);
}

GSErrCode Host::SendPaletteMessage(Int32 referenceID, API_PaletteMessageID message, bool* result)
{
    bool flag = false;
    GSErrCode err = APIERR_BADID;
    // Every registered window gets the message with its reference number, as the host does for palettes
    // that share a callback; each handler decides whether the number is its own.
    for (const auto& window : registry_.windows) {
        if (window.referenceID != referenceID || window.callback == nullptr)
            continue;
        err = window.callback(referenceID, message, reinterpret_cast<GS::IntPtr>(&flag));
    }
    if (result != nullptr)
        *result = flag;
    return err;
}

GSErrCode Host::RaiseProjectEvent(API_NotifyEventID event, Int32 param)
{
    // One handler per add-on: a later catch replaces the earlier one with its own mask.
    GSErrCode result = NoError;
    if (registry_.projectEventHandler != nullptr && (registry_.projectEventMask & event) != 0) {
        const ProjectEventScope scope;
        result = registry_.projectEventHandler(event, param);
    }
    return result;
}

}  // namespace Sim
