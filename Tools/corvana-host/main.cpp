// corvana-host: the simulated Archicad 27 with the Corvana module loaded, for people and tests
// (docs/corvana-host.md).
#include "App.hpp"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    try {
        return CorvanaHost::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "corvana-host: internal error: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "corvana-host: internal error\n";
    }
    return 1;
}
