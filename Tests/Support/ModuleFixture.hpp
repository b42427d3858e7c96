// Test fixtures: a fresh simulated host, with the Corvana module loaded from its file and started as the
// host starts it. Every test gets a new host and a freshly loaded module, so no module state leaks.
#pragma once

#include "AddOnModule.hpp"
#include "Host.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace QRVTest {

class HostFixture : public ::testing::Test {
protected:
    void SetUp() override { host = std::make_unique<Sim::Host>(Options()); }
    void TearDown() override { host.reset(); }
    virtual Sim::HostOptions Options() const { return {}; }

    std::unique_ptr<Sim::Host> host;
};

class ModuleFixture : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        std::string error;
        module = Sim::AddOnModule::Load(CORVANA_MODULE_PATH, &error);
        ASSERT_TRUE(module) << error;
        if (StartModule()) {
            Sim::StartResult result = module->Start(*host);
            ASSERT_TRUE(result.Ok()) << result.failedStep << " " << result.error;
        }
    }
    void TearDown() override
    {
        if (module)
            module->Release();
        module.reset();  // unload before the host goes: the module's statics may call into it
        HostFixture::TearDown();
    }
    virtual bool StartModule() const { return true; }

    std::unique_ptr<Sim::AddOnModule> module;
};

}  // namespace QRVTest
