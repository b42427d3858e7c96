#include "Support/ModuleFixture.hpp"
#include "SimUtf8.hpp"
#include "System/SharedLibrary.hpp"

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include <cstdio>
#include <memory>
#include <string>

namespace {

// The names the module file exports, one per line, in the order the system lists them.
std::string ExportedNames(const char* path)
{
#if defined(_WIN32)
    // As the loader reads them: the export directory of the mapped image.
    HMODULE module = LoadLibraryExW(Sim::PathFromUtf8(path).wstring().c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (module == nullptr)
        return "cannot be loaded";
    const auto* base = reinterpret_cast<const unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::string names;
    if (entry.Size != 0) {
        const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
        const auto* nameAddresses = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
        for (DWORD i = 0; i < exports->NumberOfNames; ++i)
            names += std::string(reinterpret_cast<const char*>(base + nameAddresses[i])) + "\n";
        if (exports->NumberOfFunctions != exports->NumberOfNames)
            names += "and exports by number only\n";
    }
    FreeLibrary(module);
    return names;
#else
    std::string command = std::string("nm -D --defined-only '") + path + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return "nm cannot be run";
    std::string names;
    char line[512];
    while (fgets(line, sizeof line, pipe.get()) != nullptr) {
        std::string text(line);
        names += text.substr(text.rfind(' ') + 1);
    }
    return names;
#endif
}

class ModuleBinding : public QRVTest::ModuleFixture {
protected:
    bool StartModule() const override { return false; }
};

TEST_F(ModuleBinding, ExportsExactlyTheTwoBindingFunctions)
{
    EXPECT_EQ(ExportedNames(CORVANA_MODULE_PATH), "GetExportedFuncAddrs\nSetImportedFuncAddrs\n");
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
    std::string error;
    const std::unique_ptr<Sim::System::SharedLibrary> library = Sim::System::SharedLibrary::Open(CORVANA_MODULE_PATH, &error);
    ASSERT_TRUE(library) << error;
    auto getExported = reinterpret_cast<GetExportedFuncAddrsProc*>(library->Symbol("GetExportedFuncAddrs"));
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
}

}  // namespace
