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
    // Most lines fit the stack buffer; the module prints several per element it measures, so the one
    // formatting pass matters.
    char line[512];
    va_list copy;
    va_copy(copy, argList);
    const int length = std::vsnprintf(line, sizeof line, format, copy);
    va_end(copy);
    if (length < 0 || !Sim::HasHost())
        return;
    if (static_cast<size_t>(length) < sizeof line) {
        Sim::TheHost().DebugOutput(line);
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, argList);
    Sim::TheHost().DebugOutput(buffer.data());
}

void DBPrintf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    DBVPrintf(format, args);
    va_end(args);
}
