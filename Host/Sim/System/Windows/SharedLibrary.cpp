#include "System/SharedLibrary.hpp"
#include "SystemText.hpp"

#include <filesystem>

namespace Sim::System {

std::unique_ptr<SharedLibrary> SharedLibrary::Open(const std::string& path, std::string* error)
{
    // No message box of the system's when the file is no library or a dependency is missing: the caller
    // reports it.
    const UINT previousMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = ::LoadLibraryW(Detail::WidePath(path).c_str());
    const DWORD code = ::GetLastError();
    ::SetErrorMode(previousMode);
    if (module == nullptr) {
        if (error != nullptr)
            *error = path + ": " + Detail::ErrorText(code);
        return nullptr;
    }
    return std::unique_ptr<SharedLibrary>(new SharedLibrary(module));
}

SharedLibrary::~SharedLibrary() { ::FreeLibrary(static_cast<HMODULE>(handle_)); }

void* SharedLibrary::Symbol(const char* name) const
{
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(handle_), name));
}

std::string ThisLibraryFolder()
{
    HMODULE module = nullptr;
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              reinterpret_cast<LPCWSTR>(&ThisLibraryFolder), &module))
        return ".";
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(module, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return ".";
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        name.resize(name.size() * 2);
    }
    return std::filesystem::path(name).parent_path().u8string();
}

}  // namespace Sim::System
