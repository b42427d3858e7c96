#include "System/SharedLibrary.hpp"

#include <dlfcn.h>

#include <filesystem>

namespace Sim::System {

std::unique_ptr<SharedLibrary> SharedLibrary::Open(const std::string& path, std::string* error)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        if (error != nullptr)
            *error = dlerror();
        return nullptr;
    }
    return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
}

SharedLibrary::~SharedLibrary() { dlclose(handle_); }

void* SharedLibrary::Symbol(const char* name) const { return dlsym(handle_, name); }

std::string ThisLibraryFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ThisLibraryFolder), &info) != 0 && info.dli_fname != nullptr)
        return std::filesystem::path(info.dli_fname).parent_path().string();
    return ".";
}

}  // namespace Sim::System
