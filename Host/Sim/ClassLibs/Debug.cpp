// The debug output goes to the host's transcript; its lines are taken as UTF-8.
#include "GSDebug.hpp"

#include "Host.hpp"

#include <cstdarg>
#include <cstdio>
#include <vector>

void DBVPrintf(const char* format, va_list argList)
{
    if (format == nullptr)
        return;
    va_list copy;
    va_copy(copy, argList);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, argList);
    if (Sim::HasHost())
        Sim::TheHost().DebugOutput(buffer.data());
}

void DBPrintf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    DBVPrintf(format, args);
    va_end(args);
}
