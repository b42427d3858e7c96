#include "JsonFileHandler.hpp"

#include "HostBoundary.hpp"
#include "ImportEntry.hpp"
#include "LogStream.hpp"
#include "Parsing/TextLimits.hpp"
#include "AddOn/NativePath.hpp"
#include "AddOn/Utf8.hpp"

#include <filesystem>
#include <system_error>

#include <fstream>
#include <iterator>
#include <string>

namespace QRV {

std::optional<GS::UniString> ReadFileAsText(const IO::Location& location)
{
    GS::UniString path;
    if (location.ToPath(&path) != NoError)
        return std::nullopt;
    // A file past the size limit is not read into memory at all; the import entry refuses the empty text.
    std::error_code error;
    const std::filesystem::path file = ToNativePath(path);
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error && size > Payload::MaxTextBytes) {
        LogStream::Instance().Error("JSON file: refused, the file is " + std::to_string(size) +
                                    " bytes, more than the limit of " + std::to_string(Payload::MaxTextBytes) +
                                    " bytes");
        return std::nullopt;
    }
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (stream.bad())
        return std::nullopt;
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
