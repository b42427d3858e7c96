#include "LogStream.hpp"
#include "LogText.hpp"

#include "GSDebug.hpp"
#include "Support/NativePath.hpp"
#include "Platform/Runtime.hpp"

#include <ctime>
#include <fstream>

namespace QRV {
namespace {

std::string FormatNow()
{
    std::tm local{};
    char buffer[256];
    if (!Platform::LocalTime(std::time(nullptr), &local) ||
        std::strftime(buffer, sizeof buffer, "%d-%m-%Y %H:%M:%S", &local) == 0)
        buffer[0] = '\0';
    return buffer;
}

// Through the wide path on Windows, where a narrow name is read in the ANSI code page; in binary, so the
// lines end as they do on every system. Other processes may read and write the file meanwhile.
std::ofstream OpenLogFile(std::ios::openmode mode)
{
    return std::ofstream(ToNativePath(GS::UniString(LogStream::FileName())), mode | std::ios::binary);
}

}  // namespace

std::string EscapedForLogLine(const std::string& message)
{
    static const char hex[] = "0123456789abcdef";
    std::string line;
    line.reserve(message.size());
    for (std::size_t at = 0; at < message.size(); ++at) {
        const unsigned char c = static_cast<unsigned char>(message[at]);
        if (c == '\n') {
            line += "\\n";
        } else if (c == '\r') {
            line += "\\r";
        } else if (c == '\t') {
            line += "\\t";
        } else if (c < 0x20 || c == 0x7f) {
            line += "\\x";
            line += hex[c >> 4];
            line += hex[c & 0xf];
        } else if (c == 0xc2 && at + 1 < message.size() &&
                   static_cast<unsigned char>(message[at + 1]) >= 0x80 &&
                   static_cast<unsigned char>(message[at + 1]) <= 0x9f) {
            // C1 controls (U+0080..U+009F, NEL among them), which some readers take as line ends.
            const unsigned char low = static_cast<unsigned char>(message[++at]);
            line += "\\u00";
            line += hex[low >> 4];
            line += hex[low & 0xf];
        } else if (c == 0xe2 && at + 2 < message.size() && static_cast<unsigned char>(message[at + 1]) == 0x80 &&
                   (static_cast<unsigned char>(message[at + 2]) == 0xa8 ||
                    static_cast<unsigned char>(message[at + 2]) == 0xa9)) {
            // The Unicode line and paragraph separators.
            line += static_cast<unsigned char>(message[at + 2]) == 0xa8 ? "\\u2028" : "\\u2029";
            at += 2;
        } else {
            line += static_cast<char>(c);
        }
    }
    return line;
}

LogStream& LogStream::Instance()
{
    static LogStream instance;
    return instance;
}

LogStream::LogStream()
{
    // Start every run of the host with an empty log.
    OpenLogFile(std::ios::trunc);
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
    // Whatever the message quotes (names and addresses from the page, host texts) stays on its own line,
    // so no text can forge a line of the log.
    const std::string text = EscapedForLogLine(message);
    if (toFile_) {
        // Opened and closed for every line, so the file is complete whenever the host stops.
        if (std::ofstream file = OpenLogFile(std::ios::app))
            file << time << ' ' << tag << "   " << text << '\n';
    }
    if (toDebugOutput_)
        DBPrintf("%s %s   %s \n", time.c_str(), tag, text.c_str());
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
