// The host's special folders, all under one home folder: 6 (the user's documents) is HOME/Documents,
// 7 (temporary files) is HOME/Temp, 38 (program files) is HOME/Programs. Without a home folder the host
// makes a fresh temporary one on first use and removes it when it goes.
#pragma once

#include "Definitions.hpp"

#include <string>

namespace Sim {

class SpecialFolders {
public:
    static constexpr Int32 Documents = 6;
    static constexpr Int32 Temporary = 7;
    static constexpr Int32 Programs = 38;

    explicit SpecialFolders(std::string home) : home_(std::move(home)) {}
    ~SpecialFolders();
    SpecialFolders(const SpecialFolders&) = delete;
    SpecialFolders& operator=(const SpecialFolders&) = delete;

    // The folder's path, created when missing. Empty for a number the host does not know, and when the
    // folder cannot be created (`error` then says why).
    std::string Path(Int32 id, std::string* error = nullptr);
    // The home folder; made now when none was given.
    std::string Home(std::string* error = nullptr);

    static const char* SubfolderName(Int32 id);  // null for an unknown number

private:
    std::string home_;
    bool ownsHome_ = false;
};

}  // namespace Sim
