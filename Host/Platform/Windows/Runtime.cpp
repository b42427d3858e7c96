#include "Win32.hpp"

#include "Platform/Runtime.hpp"
#include "WideText.hpp"

#include <string>

namespace Platform {

bool LocalTime(std::time_t time, std::tm* local)
{
    std::tm converted{};
    if (local == nullptr || localtime_s(&converted, &time) != 0)
        return false;
    *local = converted;
    return true;
}

bool GetEnvironmentText(const char* name, GS::UniString* value)
{
    try {
        if (name == nullptr || value == nullptr)
            return false;
        // The process's own block, not the C run-time's narrow copy of it: that one is in the ANSI code
        // page, and does not see what the process set after it started.
        const std::wstring wideName = Detail::Wide(std::string(name));
        std::wstring text(64, L'\0');
        for (;;) {
            const DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), text.data(), static_cast<DWORD>(text.size()));
            if (length == 0)
                return false;
            if (length < text.size()) {
                text.resize(length);
                break;
            }
            text.assign(length, L'\0');  // too small: `length` counts the terminating zero as well
        }
        *value = Detail::UniText(text.c_str());
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace Platform
