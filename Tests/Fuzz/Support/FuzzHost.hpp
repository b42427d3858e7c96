// The world of the fuzz inputs: one simulated host with the module's code started on it in-process and the
// catalogue palette open, all inside a private sandbox folder that is the working folder of the process.
// The module keeps its palettes in module-wide objects that live as long as the process, as they live as
// long as the host in the real application, so the host lives as long too; each input starts from the
// sample house again. The invariants are checked after every input; a broken one aborts the run, so
// libFuzzer keeps the input as a crash.
#pragma once

#include "AddOnModule.hpp"
#include "Host.hpp"
#include "Support/CallInvariants.hpp"
#include "UserInterface.hpp"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace QRVFuzz {

// The process's sandbox: made on first use, the working folder from then on, removed at exit.
const std::filesystem::path& Sandbox();

class FuzzHost {
public:
    // The process's world, with the sample house open again and the module's bulk state cleared.
    static FuzzHost& Fresh();
    // Gives the world back as Fresh() gives it, at the end of an input rather than at the start of the
    // next: what the input made is freed within the input itself. libFuzzer runs an input a second time,
    // with a leak check over the whole heap, whenever it allocated more than it freed, which every input
    // that changed the project did when the reset came first.
    void Restore();

    FuzzHost(const FuzzHost&) = delete;
    FuzzHost& operator=(const FuzzHost&) = delete;

    Sim::Host& Host() { return *host_; }
    // The page calls jsCorvanaInterface.<function> with a text argument.
    Sim::JsCallResult CallPage(const std::string& function, const std::string& text);
    // Begins the invariant checks; Verify ends them and aborts on a violation.
    void Begin() { invariants_->Begin(); }
    // Begin for an input that has not touched the project since Fresh(): the sample house is compared
    // with as it is, not copied first.
    void BeginFromFresh();
    void Verify(const QRVTest::CallOutcome& outcome, const char* what);

private:
    FuzzHost();
    void Reset();

    std::unique_ptr<Sim::Host> host_;
    std::unique_ptr<Sim::AddOnModule> module_;
    std::unique_ptr<QRVTest::CallInvariants> invariants_;
    bool restored_ = false;  // the world is as Reset() left it and untouched since
};

// The reply of a page import function reports a failure: {"IsError":true,...}.
bool IsErrorReply(const Sim::JsCallResult& result);
std::string ReplyText(const Sim::JsCallResult& result);

}  // namespace QRVFuzz
