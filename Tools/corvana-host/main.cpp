// corvana-host: the simulated Archicad 27 with the Corvana module loaded, for people and tests
// (docs/corvana-host.md).
#include "App.hpp"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace {

int RunHost(const std::vector<std::string>& arguments)
{
    try {
        return CorvanaHost::Run(arguments, std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "corvana-host: internal error: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "corvana-host: internal error\n";
    }
    return 1;
}

}  // namespace

#if defined(_WIN32)
// The arguments as UTF-16, every character of them (the narrow ones are in the ANSI code page), handed
// on as UTF-8 like everything else the host reads. The output is written as it is: without the run-time's
// line-end translation, a run prints the same bytes as on Linux.
int wmain(int argc, wchar_t** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(std::filesystem::path(argv[i]).u8string());
    return RunHost(arguments);
}
#else
int main(int argc, char** argv) { return RunHost(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
