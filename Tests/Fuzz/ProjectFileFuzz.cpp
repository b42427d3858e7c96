// The simulator's project file loader: any text is either taken whole or refused with a message, and a
// refused file leaves the open project as it was. What it takes saves to a text that loads back the same.
#include "Support/FuzzHost.hpp"

#include "Model/ProjectFile.hpp"

#include <cstdio>
#include <cstdlib>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string path = (QRVFuzz::Sandbox() / "home" / "input.json").string();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
    }

    Sim::HostOptions options;
    options.home = (QRVFuzz::Sandbox() / "home").string();
    Sim::Host host(options);
    const std::string before = Sim::ProjectFile::ToText(host.GetProject());
    std::string error;
    bool opened = false;
    try {
        opened = Sim::OpenProjectFile(host, path, &error);
    } catch (...) {
        std::fprintf(stderr, "an exception left the project file loader\n");
        std::abort();
    }
    const std::string after = Sim::ProjectFile::ToText(host.GetProject());
    if (!opened) {
        if (error.empty() || after != before) {
            std::fprintf(stderr, "a refused project file %s\n",
                         error.empty() ? "gave no message" : "changed the open project");
            std::abort();
        }
        return 0;
    }
    // What was taken saves, and the saved text loads back to the same project.
    try {
        if (Sim::ProjectFile::ToText(Sim::ProjectFile::FromText(after)) != after) {
            std::fprintf(stderr, "a loaded project does not save and load back the same\n");
            std::abort();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "the saved text of a loaded project does not load: %s\n", e.what());
        std::abort();
    }
    return 0;
}
