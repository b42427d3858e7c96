// The add-on's log: every line goes to the file "log.txt" in the host's working folder and to the host's
// debug output. One instance per process, created on first use; creating it empties the file, so each run
// of the host starts a fresh log.
#pragma once

#include "UniString.hpp"
#include "Support/Utf8.hpp"

#include <string>

namespace QRV {

class LogStream {
public:
    enum Level { InfoLevel = 0, WarningLevel = 1, ErrorLevel = 2 };

    static LogStream& Instance();

    void Log(const std::string& message, int level);
    void Info(const std::string& message) { Log(message, InfoLevel); }
    void Warning(const std::string& message) { Log(message, WarningLevel); }
    void Error(const std::string& message) { Log(message, ErrorLevel); }

    // Stream style: select a level, then each text shifted in is written as one line at that level.
    struct SetLevel {
        int level;
    };
    LogStream& operator<<(SetLevel level);
    LogStream& operator<<(const std::string& message);
    LogStream& operator<<(const GS::UniString& message) { return *this << ToUtf8(message); }
    LogStream& operator<<(const char* message) { return *this << std::string(message != nullptr ? message : ""); }

    // The nine-character tag of a level; any unknown level is written as info.
    static const char* Tag(int level);
    static const char* FileName() { return "log.txt"; }

private:
    LogStream();

    bool toFile_ = true;
    bool toDebugOutput_ = true;
    int currentLevel_ = InfoLevel;
};

}  // namespace QRV
