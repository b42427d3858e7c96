// The module's code linked into the test program and started on a fresh host, for tests that reach the
// module's classes directly. Module-wide objects then outlive the host: a test leaves none behind.
#pragma once

#include "ModuleFixture.hpp"

extern "C" GSErrCode GetExportedFuncAddrs(API_ExportedFuncTable* table, Int32 tableSize);
extern "C" GSErrCode SetImportedFuncAddrs(void* const* slots, Int32 slotCount);

namespace QRVTest {

// Fails the test for each host call the host's transcript shows refused (a call made where Archicad
// refuses it).
inline void ExpectNoRefusedHostCall(const Sim::Transcript& transcript)
{
    for (const auto& event : transcript.EventsOfKind("host"))
        if (event.value("event", "") == "refused")
            ADD_FAILURE() << "the host refused a call: " << event.dump();
}

class InProcessModuleFixture : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        module = Sim::AddOnModule::FromBinding(Sim::AddOnBinding{&GetExportedFuncAddrs, &SetImportedFuncAddrs},
                                               CORVANA_RESOURCE_DIR);
        Sim::StartResult result = module->Start(*host);
        ASSERT_TRUE(result.Ok()) << result.failedStep << " " << result.error;
    }
    void TearDown() override
    {
        CleanUpModuleState();
        if (module)
            module->Release();
        module.reset();
        HostFixture::TearDown();
    }
    // Gives back what the test made in the module's module-wide objects, while the host still exists.
    virtual void CleanUpModuleState() {}

    std::unique_ptr<Sim::AddOnModule> module;
};

}  // namespace QRVTest
