// A host fixture whose user home is a folder of the test's own, made before the host starts.
#pragma once

#include "Host.hpp"
#include "Network/NetworkTestSupport.hpp"

#include <filesystem>
#include <string>

namespace NetTest {

template <typename Fixture>
class OwnHome : public Fixture {
protected:
    explicit OwnHome(const std::string& folderName) : home(folder.Path() + "/" + folderName)
    {
        std::filesystem::create_directories(home);
    }
    Sim::HostOptions Options() const override
    {
        Sim::HostOptions options;
        options.home = home;
        return options;
    }

    ScratchFolder folder;
    const std::string home;
};

}  // namespace NetTest
