#include "Platform/Runtime.hpp"

#include <cstdlib>
#include <cstring>

namespace Platform {

bool LocalTime(std::time_t time, std::tm* local)
{
    std::tm converted{};
    if (local == nullptr || localtime_r(&time, &converted) == nullptr)
        return false;
    *local = converted;
    return true;
}

bool GetEnvironmentText(const char* name, GS::UniString* value)
{
    if (name == nullptr || value == nullptr)
        return false;
    // The environment of Linux and macOS holds UTF-8.
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0')
        return false;
    *value = GS::UniString(text, static_cast<USize>(std::strlen(text)), CC_UTF8);
    return true;
}

}  // namespace Platform
