// corvana-host: the simulated Archicad 27 with the Corvana module loaded, for people and tests.
#include "AddOnModule.hpp"
#include "Host.hpp"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <dlfcn.h>
#include <filesystem>

namespace {

std::string DefaultModulePath()
{
    // The module sits beside the host's shared library in the build.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&Sim::TheHost), &info) != 0 && info.dli_fname != nullptr)
        return (std::filesystem::path(info.dli_fname).parent_path() / CORVANA_DEFAULT_MODULE).string();
    return CORVANA_DEFAULT_MODULE;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    Sim::HostOptions options;
    std::string modulePath;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--addon" && i + 1 < args.size())
            modulePath = args[++i];
        else if (args[i] == "--lang" && i + 1 < args.size())
            options.language = args[++i];
    }
    if (modulePath.empty())
        modulePath = DefaultModulePath();

    Sim::Host host(options);
    std::string error;
    auto module = Sim::AddOnModule::Load(modulePath, &error);
    if (!module) {
        std::cerr << "corvana-host: " << error << "\n";
        return 3;
    }
    Sim::StartResult started = module->Start(host);
    if (!started.Ok()) {
        std::cerr << "corvana-host: " << started.failedStep << " failed with error " << started.error << "\n";
        return 3;
    }
    std::cout << "Started " << module->Environment().addOnInfo.name.ToStdString() << "\n";
    return 0;
}
