#include "Support/ModuleFixture.hpp"
#include "SimUtf8.hpp"

#include <dlfcn.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

class ModuleBinding : public QRVTest::ModuleFixture {
protected:
    bool StartModule() const override { return false; }
};

TEST_F(ModuleBinding, ExportsExactlyTheTwoBindingFunctions)
{
    std::string command = std::string("nm -D --defined-only '") + CORVANA_MODULE_PATH + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    ASSERT_TRUE(pipe);
    std::string names;
    char line[512];
    while (fgets(line, sizeof line, pipe.get()) != nullptr) {
        std::string text(line);
        names += text.substr(text.rfind(' ') + 1);
    }
    EXPECT_EQ(names, "GetExportedFuncAddrs\nSetImportedFuncAddrs\n");
}

TEST_F(ModuleBinding, StartsAndRegistersItsName)
{
    Sim::StartResult result = module->Start(*host);
    ASSERT_TRUE(result.Ok()) << result.failedStep;
    EXPECT_EQ(result.addonType, APIAddon_Preload);
    EXPECT_EQ(module->ExportTable().interfaceVersion, 27000);
    EXPECT_EQ(Sim::Utf8(module->Environment().addOnInfo.name), "Corvana");
    EXPECT_EQ(Sim::Utf8(module->Environment().addOnInfo.description), "Corvana");
}

TEST_F(ModuleBinding, EntryPointsRefuseToRunBeforeTheTableArrives)
{
    void* library = dlopen(CORVANA_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr);
    auto getExported = reinterpret_cast<GetExportedFuncAddrsProc*>(dlsym(library, "GetExportedFuncAddrs"));
    ASSERT_NE(getExported, nullptr);
    API_ExportedFuncTable table;
    std::memset(static_cast<void*>(&table), 0xAB, sizeof table);
    ASSERT_EQ(getExported(&table, sizeof table), NoError);
    EXPECT_EQ(table.interfaceVersion, 27000);
    for (size_t i = 8 + 4 * sizeof(void*); i < sizeof table; ++i)
        ASSERT_EQ(reinterpret_cast<const unsigned char*>(&table)[i], 0) << "byte " << i;
    API_EnvirParams envir;
    EXPECT_EQ(table.checkEnvironment(&envir), 0);
    EXPECT_EQ(table.registerInterface(), APIERR_GENERAL);
    EXPECT_EQ(table.initialize(), APIERR_GENERAL);
    EXPECT_EQ(table.freeData(), APIERR_GENERAL);
    dlclose(library);
}

}  // namespace
