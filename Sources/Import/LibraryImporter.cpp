#include "LibraryImporter.hpp"

namespace QRV {

LibraryImporter::LibraryImporter(const Json& data)
    : item_(ItemAs<CorvanaLibrary>(GetParserRef().ParseLibrary(data)))
{
}

LibraryImporter::~LibraryImporter() = default;

bool LibraryImporter::ImportFrom(const Json& json)
{
    std::unique_ptr<CorvanaLibrary> fresh = ItemAs<CorvanaLibrary>(GetParserRef().ParseLibrary(json));
    return link_.ImportLibrary(*fresh);
}

bool LibraryImporter::Import() { return link_.ImportLibrary(*item_); }

}  // namespace QRV
