#include "GSDebug.hpp"

#include "Host.hpp"

#include <cstdarg>
#include <cstdio>
#include <vector>

void DBPrintf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    if (Sim::HasHost())
        Sim::TheHost().DebugOutput(buffer.data());
}
