// A shared library loaded as the system loads one (dlopen on Linux and macOS, LoadLibraryW on Windows),
// for the add-on module and the tests that bind it by hand.
#pragma once

#include <memory>
#include <string>

namespace Sim::System {

class SharedLibrary {
public:
    // The library at `path` (UTF-8), its dependencies resolved now; null and `error` set when the system
    // refuses it.
    static std::unique_ptr<SharedLibrary> Open(const std::string& path, std::string* error);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // An exported function; null when the library exports no such name.
    void* Symbol(const char* name) const;

private:
    explicit SharedLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

// The folder of the shared library this function is compiled into (the host's own library).
std::string ThisLibraryFolder();

}  // namespace Sim::System
