#include "JsonFileHandler.hpp"

#include "Support/HostBoundary.hpp"
#include "ImportEntry.hpp"
#include "Support/LogStream.hpp"
#include "Parsing/TextLimits.hpp"
#include "Support/NativePath.hpp"
#include "Support/Utf8.hpp"

#include <filesystem>
#include <system_error>

#ifndef _WIN32
// The kit's allocator header makes getcwd a macro of its own, which the system's declaration of it in
// <unistd.h> cannot take; this file calls neither.
#ifdef getcwd
#undef getcwd
#endif
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <fstream>
#include <iterator>
#include <string>

namespace QRV {

namespace {

bool RefusedAsTooLarge(std::uintmax_t size)
{
    if (size <= Payload::MaxTextBytes)
        return false;
    LogStream::Instance().Error("JSON file: refused, the file is " + std::to_string(size) +
                                " bytes, more than the limit of " + std::to_string(Payload::MaxTextBytes) +
                                " bytes");
    return true;
}

void RefuseAsNotRegular(const GS::UniString& path)
{
    LogStream::Instance().Error("JSON file: refused, " + ToUtf8(path) + " is not a regular file");
}

}  // namespace

std::optional<GS::UniString> ReadFileAsText(const IO::Location& location)
{
    GS::UniString path;
    if (location.ToPath(&path) != NoError)
        return std::nullopt;
    // Only a regular file of at most the size limit is read, and that is known before reading: a FIFO or a
    // device would block the host or never end, and a huge file is not taken into memory at all.
    const std::filesystem::path file = ToNativePath(path);
#ifdef _WIN32
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        RefuseAsNotRegular(path);
        return std::nullopt;
    }
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || RefusedAsTooLarge(size))
        return std::nullopt;
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    stream.read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<std::size_t>(stream.gcount()));
    if (stream.bad())
        return std::nullopt;
#else
    // Opened without waiting (a FIFO would wait for a writer) and examined through the open descriptor, so
    // the file read is the file checked.
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0)
        return std::nullopt;
    struct DescriptorCloser {
        int descriptor;
        ~DescriptorCloser() { ::close(descriptor); }
    } closer{descriptor};
    struct stat facts {};
    if (::fstat(descriptor, &facts) != 0)
        return std::nullopt;
    if (!S_ISREG(facts.st_mode)) {
        RefuseAsNotRegular(path);
        return std::nullopt;
    }
    if (RefusedAsTooLarge(static_cast<std::uintmax_t>(facts.st_size)))
        return std::nullopt;
    // Never more than the limit, even if the file grows while it is read.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(facts.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (RefusedAsTooLarge(bytes.size()))
            return std::nullopt;
    }
#endif
    return FromUtf8(bytes);
}

GSErrCode JsonFileHandler(const API_IOParams* ioParams)
{
    // Only a file merged into the project (dropped on it, or File > Merge) is imported.
    if (ioParams == nullptr || ioParams->method != IO_MERGE)
        return NoError;
    RunForHost("JsonFileHandler", [ioParams]() {
        GS::UniString path;
        if (ioParams->fileLoc != nullptr)
            ioParams->fileLoc->ToPath(&path);
        std::optional<GS::UniString> text =
            ioParams->fileLoc != nullptr ? ReadFileAsText(*ioParams->fileLoc) : std::nullopt;
        if (text)
            DBPrintf("JsonFileHandler: importing %s (%u bytes)\n", ToUtf8(path).c_str(),
                     static_cast<unsigned>(ToUtf8(*text).size()));
        else
            DBPrintf("JsonFileHandler: cannot read %s; importing an empty text\n", ToUtf8(path).c_str());
        // An unreadable file gives the empty text, which the import entry rejects.
        ImportEntry(text.value_or(GS::UniString()));
    });
    return NoError;
}

}  // namespace QRV
