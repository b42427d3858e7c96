#include "LogStream.hpp"

#include "GSDebug.hpp"

#include <cstdio>
#include <ctime>

namespace QRV {
namespace {

std::string FormatNow()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[256];
    if (std::strftime(buffer, sizeof buffer, "%d-%m-%Y %H:%M:%S", &local) == 0)
        buffer[0] = '\0';
    return buffer;
}

}  // namespace

LogStream& LogStream::Instance()
{
    static LogStream instance;
    return instance;
}

LogStream::LogStream()
{
    // Start every run of the host with an empty log.
    if (std::FILE* file = std::fopen(FileName(), "w"))
        std::fclose(file);
}

const char* LogStream::Tag(int level)
{
    switch (level) {
        case WarningLevel: return "[Warning]";
        case ErrorLevel: return "[Error]  ";
        default: return "[Info]   ";
    }
}

void LogStream::Log(const std::string& message, int level)
{
    if (!toFile_ && !toDebugOutput_)
        return;
    const std::string time = FormatNow();
    const char* tag = Tag(level);
    if (toFile_) {
        // Opened and closed for every line, so the file is complete whenever the host stops.
        if (std::FILE* file = std::fopen(FileName(), "a")) {
            std::fprintf(file, "%s %s   %s\n", time.c_str(), tag, message.c_str());
            std::fclose(file);
        }
    }
    if (toDebugOutput_)
        DBPrintf("%s %s   %s \n", time.c_str(), tag, message.c_str());
}

LogStream& LogStream::operator<<(SetLevel level)
{
    currentLevel_ = level.level;
    return *this;
}

LogStream& LogStream::operator<<(const std::string& message)
{
    Log(message, currentLevel_);
    return *this;
}

}  // namespace QRV
